#pragma once
#include <QString>

// Translates a Windows dialog filter "Description(*.a;*.b)|*.a;*.b|..." into Qt's
// "Description (*.a *.b);;..." form. Pairs without a pattern are dropped.
QString QtFileFilter(const QString& windowsFilter);
