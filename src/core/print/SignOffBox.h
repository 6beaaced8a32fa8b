#pragma once

class PageText;

// Where the people who prepare, check and approve a record sign it: a row each, with room for
// the name, the signature and the date.
namespace SignOffBox {

constexpr double kTitleHeight = 14;
constexpr double kRowHeight = 30;
constexpr double kHeight = kTitleHeight + 3 * kRowHeight;

void paint(PageText& page, double top, double width);

} // namespace SignOffBox
