// LoadCsvFile on any bytes, with every question answered by one button: OK in
// zr415-fuzz-csv-ok, Cancel in zr415-fuzz-csv-cancel (ZR415_FUZZ_ANSWER_CANCEL). The list is
// read into an open site whose rows are not the defaults, so that a reader that starts afresh
// is caught.
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "document/CsvFile.h"
#include "document/SiteSize.h"

namespace {

#ifdef ZR415_FUZZ_ANSWER_CANCEL
constexpr bool kAnswer = false;
#else
constexpr bool kAnswer = true;
#endif

// One unit whose state texts no list can change.
const ChannelRows& openSite()
{
    static const ChannelRows rows = [] {
        ChannelRows site;
        for (int channel = 1; channel <= ModFunc::kChannelsPerUnit; ++channel) {
            site.append({QStringLiteral("Open %1").arg(channel), channel % 2 == 0,
                         QStringLiteral("u%1").arg(channel % 10), QStringLiteral("d")});
        }
        return site;
    }();
    return rows;
}

// A list names relay names and contacts only: the open site's state texts stay, and rows the
// list adds start from the defaults'.
void checkStateTexts(const ChannelRows& rows)
{
    const ChannelRows& before = openSite();
    for (int row = 0; row < rows.size(); ++row) {
        const ChannelRow expected = row < before.size() ? before[row] : DefaultRow(row + 1);
        FUZZ_CHECK(rows[row].stUp == expected.stUp && rows[row].stDn == expected.stDn);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzFiles::writeInput(data, size, QStringLiteral("list.csv"));
    const FuzzDialogs dialogs;
    int questions = 0;
    const CsvQuestion ask = [&](const QString& question) {
        FUZZ_CHECK(question.endsWith(QStringLiteral("Continue loading?")));
        ++questions;
        return kAnswer;
    };

    const SiteRead read = LoadCsvFile(path, openSite(), ask);

    FuzzChecks::checkRead(read, path);
    if (kAnswer) {
        FUZZ_CHECK(read.outcome != SiteRead::Outcome::Cancelled);
    } else {
        // Cancel ends the read at the first question.
        FUZZ_CHECK(questions <= 1);
        FUZZ_CHECK((read.outcome == SiteRead::Outcome::Cancelled) == (questions == 1));
    }
    FUZZ_CHECK(read.outcome != SiteRead::Outcome::Empty);
    if (read.outcome == SiteRead::Outcome::Failed) {
        // The file itself was readable: only a channel number can fail the read.
        FUZZ_CHECK(read.failure == ModFunc::OverflowDescription() ||
                   read.failure == QStringLiteral("Subscript out of range"));
        FUZZ_CHECK(read.notices.isEmpty());
        return 0;
    }
    FUZZ_CHECK(read.rows.size() >= openSite().size());
    checkStateTexts(read.rows);
    const bool cut = read.outcome == SiteRead::Outcome::Cut;
    // The count comes after a cut's notice; contacts that were no known word follow it.
    const qsizetype countAt = cut ? 1 : 0;
    FUZZ_CHECK(read.notices.size() == countAt + 1 || read.notices.size() == countAt + 2);
    const QString count = read.notices.at(countAt);
    const QString suffix = QStringLiteral(" channels imported");
    FUZZ_CHECK(count.endsWith(suffix));
    bool number = false;
    const int imported = count.chopped(suffix.size()).toInt(&number);
    FUZZ_CHECK(number && imported >= 0 && imported <= read.rows.size());
    if (read.notices.size() == countAt + 2)
        FUZZ_CHECK(read.notices.last().contains(QStringLiteral(" not Back or Front")));
    if (cut)
        FUZZ_CHECK(read.notices.first() == SiteSize::maximumChannelsText(ModFunc::kMaxChannels));
    return 0;
}
