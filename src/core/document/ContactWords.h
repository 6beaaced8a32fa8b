#pragma once

#include <QStringView>

#include <optional>

// A contact as spreadsheets write one, in any letter case, spaces around it aside:
// Back/Front, B/F, TRUE/FALSE, 1/0, Yes/No, X/empty. True for a back contact, false for a front
// one, nothing for any other text.
std::optional<bool> ContactFromText(QStringView text);
