#pragma once

#include <QString>

// Loading a site into a table that already holds one rewrites every row; these keep a row's
// own buffers where they can, so that a reload allocates and releases nothing per row.
namespace ReusedText {

// Leaves text alone when it already holds value's very characters: most rows share the
// defaults, and assigning them again is two reference-count changes for nothing.
inline void assignUnlessSame(QString& text, const QString& value)
{
    if (text.constData() != value.constData() || text.size() != value.size())
        text = value;
}

// Makes text size characters long and answers where to write them: over its old characters
// when no other string shares them and they have room. size is above 0.
inline char16_t* resizedForWriting(QString& text, qsizetype size)
{
    if (!text.isDetached() || text.capacity() < size)
        text = QString(size, Qt::Uninitialized);
    else if (text.size() != size)
        text.resize(size);
    return reinterpret_cast<char16_t*>(text.data());
}

} // namespace ReusedText
