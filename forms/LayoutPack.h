#pragma once
// The layouts in a compact binary form. The build parses resources/layouts once
// (tools/layouts) and the program loads the result at start without parsing JSON or
// resolving designs again. Each distinct text, and each distinct list of texts, is stored
// once and shared by everything naming it; null texts stay null.

#include "forms/Layout.h"

#include <QByteArray>
#include <QByteArrayView>

QByteArray PackLayouts(const LayoutCatalog& catalog);
// Throws std::runtime_error for bytes that PackLayouts of this version did not write.
LayoutCatalog UnpackLayouts(QByteArrayView packed);
