// The skin's geometry keys on the scene: the notebook's bounds and the page panels' sizes.
#pragma once

#include "Scene.h"
#include "SkinSettings.h"

// The layout's geometry from what the scene shows now, so a key that a failing load never
// reaches leaves its control as it was.
void TakeSkinGeometry(const Scene& scene, SkinLayout& layout);

// BackNotebook, EQPanel, EffectPanel, MicPanel and VirtualPanel onto their controls. The 3D page
// has no key and keeps its size.
void PutSkinGeometry(const SkinLayout& layout, Scene& scene);
