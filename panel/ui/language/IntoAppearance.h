// The loaded skin and language handed to the scene's Appearance, keyed by their key names.
#pragma once

#include "Appearance.h"
#include "LanguageStyles.h"
#include "SkinSettings.h"

// Every image entry under its key name ("CloseImageUp"); [About] LogoImage, whose name [Main]
// uses too, as "About.LogoImage".
void PutSkinImages(const SkinLayout& layout, Appearance& look);

// Every label style under its key name, and the global defaults.
void PutLanguageStyles(const LanguageStyles& language, Appearance& look);
