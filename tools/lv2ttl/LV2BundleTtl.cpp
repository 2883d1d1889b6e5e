// Writes the LV2 bundle's data files from the effect itself, so they cannot drift from it:
// manifest.ttl, Skarvel.ttl (the plug-in, its 35 ports and its editor) and presets.ttl (the
// factory programs, each with its port values and its exact program chunk as state).
// Usage: lv2ttl BUNDLE_FOLDER
#include <cstdio>
#include <memory>
#include <string>

#include "skarvel/Skarvel.h"
#include "plug/lv2/LV2Identity.h"

namespace {

std::string Base64(const ByteChunk& chunk)
{
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  const unsigned char* p = chunk.Data();
  const int n = chunk.Size();
  for (int i = 0; i < n; i += 3) {
    const unsigned v = p[i] << 16 | (i + 1 < n ? p[i + 1] << 8 : 0) | (i + 2 < n ? p[i + 2] : 0);
    out += kDigits[v >> 18 & 63];
    out += kDigits[v >> 12 & 63];
    out += i + 1 < n ? kDigits[v >> 6 & 63] : '=';
    out += i + 2 < n ? kDigits[v & 63] : '=';
  }
  return out;
}

// A Turtle decimal that reads back as the same single-precision value a port holds.
std::string Number(double v)
{
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<float>(v));
  std::string s = text;
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

// Turtle string content: quotes and backslashes escaped.
std::string Quoted(const std::string& text)
{
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string PresetUri(int index)
{
  char text[64];
  std::snprintf(text, sizeof text, "%s#preset-%02d", LV2Identity::kPluginUri, index + 1);
  return text;
}

const double* ProgramValues(Skarvel& fx, int program, ByteChunk& storage)
{
  storage = *fx.PresetChunk(program);
  return reinterpret_cast<const double*>(storage.Data());
}

// The names of a selection's choices, by choice index.
std::string ChoiceName(Skarvel& fx, int param, int choice)
{
  const double v = static_cast<double>(choice) / (kSkarvelParams[param].choices - 1);
  switch (param) {
    case kDistortionType: return fx.GetDistortion().ShapeTypeName(v);
    case kDistortionInterpMode: {
      Kernwave::Distortion names;
      names.SetInterpolation(v);
      return names.InterpolationName();
    }
    case kFilterMode1: return Kernwave::FilterUnit::RbjModeName(v);
    case kFilterMode2: return Kernwave::FilterUnit::ChebyModeName(v);
    default: return "";
  }
}

const char* kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                        "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                        "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                        "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                        "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                        "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                        "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                        "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                        "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                        "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                        "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n"
                        "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n";

std::string Manifest(int nPrograms)
{
  std::string t = kPrefixes;
  t += std::string("<") + LV2Identity::kPluginUri + ">\n    a lv2:Plugin ;\n    lv2:binary <" +
       LV2Identity::kBinary + "> ;\n    rdfs:seeAlso <Skarvel.ttl> .\n\n";
  t += std::string("<") + LV2Identity::kUIUri + ">\n    a ui:X11UI ;\n    ui:binary <" +
       LV2Identity::kBinary + "> ;\n    rdfs:seeAlso <Skarvel.ttl> .\n";
  for (int i = 0; i < nPrograms; ++i)
    t += "\n<" + PresetUri(i) + ">\n    a pset:Preset ;\n    lv2:appliesTo <" + LV2Identity::kPluginUri +
         "> ;\n    rdfs:seeAlso <presets.ttl> .\n";
  return t;
}

std::string AudioPort(int index, bool input, int channel)
{
  char text[256];
  std::snprintf(text, sizeof text,
                "[\n        a lv2:AudioPort, %s ;\n        lv2:index %d ;\n"
                "        lv2:symbol \"%s%d\" ;\n        lv2:name \"%s %d\"\n    ]",
                input ? "lv2:InputPort" : "lv2:OutputPort", index, input ? "in" : "out", channel,
                input ? "Input" : "Output", channel);
  return text;
}

// The samples of delay the oversampling adds, for the host to compensate.
std::string LatencyPort()
{
  return "[\n        a lv2:OutputPort, lv2:ControlPort ;\n        lv2:index " +
         std::to_string(LV2Identity::kFirstControl + kNumParams) +
         " ;\n        lv2:symbol \"latency\" ;\n        lv2:name \"Latency\" ;\n"
         "        lv2:designation lv2:latency ;\n"
         "        lv2:portProperty lv2:reportsLatency, lv2:integer ;\n"
         "        lv2:minimum 0 ;\n        lv2:maximum " +
         std::to_string(Skarvel::OversamplingLatency(4)) + "\n    ]";
}

std::string ControlPort(Skarvel& fx, int param, double defaultValue)
{
  const SkarvelParamInfo& p = kSkarvelParams[param];
  std::string t = "[\n        a lv2:InputPort, lv2:ControlPort ;\n        lv2:index " +
                  std::to_string(LV2Identity::kFirstControl + param) + " ;\n        lv2:symbol " +
                  Quoted(p.key) + " ;\n        lv2:name " + Quoted(p.name) + " ;\n        lv2:default " +
                  Number(defaultValue) + " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0";
  if (p.step == 1.0) t += " ;\n        lv2:portProperty lv2:toggled";
  for (int c = 0; c < p.choices; ++c)
    t += std::string(c == 0 ? " ;\n        lv2:scalePoint " : " , ") + "[ rdfs:label " +
         Quoted(ChoiceName(fx, param, c)) + " ; rdf:value " +
         Number(static_cast<double>(c) / (p.choices - 1)) + " ]";
  return t + "\n    ]";
}

std::string PluginTtl(Skarvel& fx)
{
  ByteChunk program0;
  const double* defaults = ProgramValues(fx, 0, program0);
  std::string t = kPrefixes;
  t += std::string("<") + LV2Identity::kPluginUri +
       ">\n    a lv2:Plugin, lv2:DistortionPlugin, doap:Project ;\n" + "    doap:name " +
       Quoted(fx.GetEffectName()) + " ;\n    doap:maintainer [ foaf:name " + Quoted(fx.GetMfrName()) +
       " ] ;\n" +
       "    lv2:optionalFeature urid:map, opts:options ;\n"
       "    opts:supportedOption bufsz:maxBlockLength ;\n"
       "    lv2:extensionData state:interface ;\n    ui:ui <" +
       LV2Identity::kUIUri +
       "> ;\n"
       "    lv2:port ";
  t += AudioPort(0, true, 1) + " , " + AudioPort(1, true, 2) + " , " + AudioPort(2, false, 1) + " , " +
       AudioPort(3, false, 2);
  for (int i = 0; i < kNumParams; ++i) t += " , " + ControlPort(fx, i, defaults[i]);
  t += " , " + LatencyPort();
  t += " .\n\n";
  t += std::string("<") + LV2Identity::kUIUri + ">\n    a ui:X11UI ;\n" +
       "    lv2:requiredFeature ui:idleInterface, ui:parent, <http://lv2plug.in/ns/ext/instance-access> ;\n"
       "    lv2:optionalFeature ui:touch, ui:resize ;\n"
       "    lv2:extensionData ui:idleInterface .\n";
  return t;
}

std::string PresetsTtl(Skarvel& fx)
{
  std::string t = kPrefixes;
  t += std::string("<") + LV2Identity::kStateKey + ">\n    a rdf:Property ;\n" +
       "    rdfs:label \"program chunk\" ;\n" +
       "    rdfs:comment \"The 30 parameter values as the plug-in stores them in every format.\" ;\n" +
       "    rdfs:range xsd:base64Binary .\n\n";
  for (int i = 0; i < fx.NPresets(); ++i) {
    ByteChunk storage;
    const double* values = ProgramValues(fx, i, storage);
    t += "<" + PresetUri(i) + ">\n    a pset:Preset ;\n    lv2:appliesTo <" + LV2Identity::kPluginUri +
         "> ;\n    rdfs:label " + Quoted(fx.GetPresetName(i)) + " ;\n    lv2:port ";
    for (int k = 0; k < kNumParams; ++k)
      t += std::string(k ? " , " : "") + "[ lv2:symbol " + Quoted(kSkarvelParams[k].key) + " ; pset:value " +
           Number(values[k]) + " ]";
    // The exact values: the ports hold single precision.
    ByteChunk state;
    IPlugBase::WriteStateHeader(state);
    state.PutBytes(values, kNumParams * static_cast<int>(sizeof(double)));
    t += " ;\n    state:state [ <" + std::string(LV2Identity::kStateKey) + "> " + Quoted(Base64(state)) +
         "^^xsd:base64Binary ] .\n\n";
  }
  return t;
}

bool Write(const std::string& path, const std::string& text)
{
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: lv2ttl BUNDLE_FOLDER\n");
    return 2;
  }
  auto fx = std::make_unique<Skarvel>(nullptr);
  fx->ReadyForHost();
  const std::string dir = argv[1];
  if (!Write(dir + "/manifest.ttl", Manifest(fx->NPresets())) ||
      !Write(dir + "/Skarvel.ttl", PluginTtl(*fx)) || !Write(dir + "/presets.ttl", PresetsTtl(*fx))) {
    std::fprintf(stderr, "lv2ttl: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
