#pragma once

#include <QByteArrayView>
#include <QString>

// The text of a list in the encoding it was saved in: UTF-8 or UTF-16 after their byte order
// mark, which is dropped; UTF-8 without a mark when the bytes are valid UTF-8 and hold a
// character beyond ASCII, as some spreadsheets save it; Windows-1252 otherwise.
QString DecodeCsvText(QByteArrayView bytes);
