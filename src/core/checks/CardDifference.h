#pragma once

#include <QByteArrayView>
#include <QString>

// What first tells a card's channel file from the bytes Save writes for the site: the channel
// and field, the header field, or how much shorter or longer the card's file is. Empty when
// the two are byte for byte the same.
QString DescribeCardDifference(QByteArrayView site, QByteArrayView card);
