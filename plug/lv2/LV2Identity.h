#pragma once

// The LV2 plug-in's identity, shared by the module and the generator of the bundle's data:
// URIs that never change once published, the binary's name in the bundle, and the ports
// (two audio inputs, two audio outputs, then one control input per parameter, in parameter
// order, carrying the normalised value, then the latency output).
namespace LV2Identity {
constexpr const char* kPluginUri = "urn:kernwave:skarvel";
constexpr const char* kUIUri = "urn:kernwave:skarvel#ui";
// The key under which a state holds the program chunk.
constexpr const char* kStateKey = "urn:kernwave:skarvel#programChunk";
constexpr const char* kBinary = "Skarvel.so";
constexpr unsigned kFirstAudioInput = 0;
constexpr unsigned kFirstAudioOutput = 2;
constexpr unsigned kFirstControl = 4;
}  // namespace LV2Identity
