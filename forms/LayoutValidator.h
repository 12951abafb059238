#pragma once
// Checks a layout catalog for the mistakes that would silently lose a user's
// stored rows: a misspelt name in a pair, rule, sample or copy map, names that
// collide when letter case is ignored, a data marker on the wrong kind of
// component, unresolved references, a memo without a line limit.

#include "forms/Layout.h"

#include <QStringList>

// Every problem found, one readable line each; empty when the catalog is sound.
QStringList ValidateLayouts(const LayoutCatalog& catalog);
