#include "plug/EffectIdentity.h"

const EffectIdentity kEffectIdentity = {"Skarvel 1.3 Free", "Kernwave", SKARVEL_VERSION,
                                        "Stereo distortion multi-effect"};
