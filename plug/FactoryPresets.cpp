#include "plug/Skarvel.h"

void Skarvel::CreateFactoryPresets() {}
