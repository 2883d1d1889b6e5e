#pragma once

#include <clap/plugin.h>

// The functions a CLAP host calls on one plug-in instance and the extensions it may ask for,
// each handing the call to the instance's IPlugCLAP. Every function catches whatever is
// thrown below it and answers as a failed call would.
namespace CLAPPluginRecord {
void Fill(clap_plugin_t& record, const clap_plugin_descriptor_t* descriptor);
}
