#pragma once

#include "common/Dialogs.h"

#include <QString>

#include <optional>

// A box as the golden cases and GUI scenarios write it (tests/data/README.md):
// "== icon | title | buttons", " (No by default)" when Enter answers No, " -> answer" after a
// question, then the lines of its text, each after `indent`. The lines of a box are joined by
// CR LF, so a lone CR or LF shows as <CR> or <LF>.
namespace BoxText {

QString render(const MessageRequest& box, std::optional<MessageAnswer> answer,
               const QString& indent = QString());
// The answer a head line "== ... -> Yes" gives; nullopt for a line that gives none.
std::optional<MessageAnswer> answerIn(const QString& headLine);

} // namespace BoxText
