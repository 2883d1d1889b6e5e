#include <cstring>

#include "gui/IGraphics.h"
#include "skarvel/Skarvel.h"
#include "skarvel/VstXSkarvelProgram.h"

bool Skarvel::SavePresetFile(const char* path)
{
  LockGuard g(lock);
  VstXSkarvelProgram program;
  program.SetName(GetPresetName(GetCurrentPresetIdx()));
  program.SetValues(mirrors);
  program.SetOversampling(oversampling);
  return program.Write(path, distortion);
}

// The whole file is read before anything changes, so a file that cannot be read leaves the
// effect as it was. The host is not told of the new values.
bool Skarvel::LoadPresetFile(const char* path)
{
  LockGuard g(lock);
  VstXSkarvelProgram program;
  if (!program.Read(path)) return false;

  std::memcpy(mirrors, program.Values(), sizeof(mirrors));
  for (int i = 0; i < kNumParams; ++i) {
    const double v = program.Get(i);
    if (editor) editor->UpdateControlsFromPlug(i, v, true);
    GetParam(i)->SetFromNormalized(v);
    ApplyParameter(i);
  }
  StoreCurrentPreset(program.Name().c_str());
  PresetSelectionChanged();
  SetOversampling(program.Oversampling());
  return true;
}
