#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace ModFunc {

// The text without the spaces (and only spaces) at its ends, as the file formats trim.
template <typename View>
View TrimSpaces(View text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace ModFunc
