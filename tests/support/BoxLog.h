#pragma once

#include "common/Dialogs.h"

#include <QList>
#include <QString>

// The boxes of a run as readable text, for golden cases: each box is a line
//
//   == Question | ZR415Config | OK Cancel -> Cancel
//
// (icon, title, buttons, and for a question the answer given), then the lines of its text.
// A lone CR or LF inside a line is shown as <CR> or <LF>.
QString RenderBoxes(const QList<MessageRequest>& boxes, const QList<MessageAnswer>& answers);

// The answers that such a text gives to its questions, in order.
QList<MessageAnswer> AnswersIn(const QString& text);
