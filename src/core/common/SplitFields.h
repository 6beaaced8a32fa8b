#pragma once

#include <QStringList>
#include <QStringView>

namespace ModFunc {

// Splits at every occurrence of the delimiter, with no quoting and no trimming.
// The list is one-based: index 0 is always empty, the fields stand at 1..n, and
// n is the number of delimiters plus one. The delimiter must not be empty.
QStringList SplitFields(QStringView text, QStringView delimiter);

} // namespace ModFunc
