#pragma once

#include "document/ChannelRow.h"

#include <QString>

#include <optional>

// An open site as readable text, for golden cases:
//
//   caption: north - ZR415 configuration editor
//   file: north.dip                  (the file Save writes to; "(none)" when there is none)
//   modified: yes
//   rows: 768
//   AA01 "TPR 1" Back "UP " "DN "
//   AA02-BH48 "Spare {label}" Front "UP " "DN "
//
// Only rows that differ from their default row ("Spare " and the label, Front, "UP", "DN") are
// listed. Consecutive rows that are the same once their own label in the name is written as
// {label} share one line "first-last"; a row alone is written as it is. Texts are quoted; a
// double quote, a backslash and a character one cannot see are escaped (\", \\, \u00A0).
struct SiteDump
{
    QString caption;
    QString file;
    bool modified = false;
    ChannelRows rows;
};

QString RenderSite(const SiteDump& site);
// The dump a text describes; nullopt, with the line that does not parse in `error`.
std::optional<SiteDump> ParseSite(const QString& text, QString* error);

// The label of channel 1..3072 and its default row, worked out here rather than by the project.
QString LabelOf(int channel);
ChannelRow DefaultRowOf(int channel);
