#pragma once

#include "document/ChannelRow.h"

#include <QString>

#include <optional>

// An open site as the text of a golden case's site.txt (tests/data/README.md).
struct SiteDump
{
    QString caption;
    QString file;
    bool modified = false;
    ChannelRows rows;
};

QString RenderSite(const SiteDump& site);
// Nullopt for a text that does not parse, with the line in `error`.
std::optional<SiteDump> ParseSite(const QString& text, QString* error);

// The label of channel 1..3072 and its default row, worked out here rather than by the project.
QString LabelOf(int channel);
// The channel of a label, 0 for a text that is none.
int ChannelOf(const QString& label);
ChannelRow DefaultRowOf(int channel);
