// LoadCsvFile on any bytes, with every question answered by one button: OK in
// zr415-fuzz-csv-ok, Cancel in zr415-fuzz-csv-cancel (ZR415_FUZZ_ANSWER_CANCEL).
#include "FuzzChecks.h"
#include "FuzzDialogs.h"
#include "FuzzFiles.h"

#include "common/ChannelLabel.h"
#include "document/CsvFile.h"

namespace {

#ifdef ZR415_FUZZ_ANSWER_CANCEL
constexpr MessageAnswer kAnswer = MessageAnswer::Cancel;
#else
constexpr MessageAnswer kAnswer = MessageAnswer::Ok;
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = FuzzFiles::writeInput(data, size, QStringLiteral("list.csv"));
    ChannelTableModel table;
    FuzzChecks::resetTable(table);
    FuzzDialogs dialogs(kAnswer);

    const CsvLoadResult result = LoadCsvFile(table, path);

    FuzzChecks::checkTable(table);
    if (kAnswer == MessageAnswer::Ok) {
        FUZZ_CHECK(!result.aborted);
    } else {
        // Cancel ends the load at the first question.
        FUZZ_CHECK(dialogs.questions() <= 1);
        FUZZ_CHECK(result.aborted == (dialogs.questions() == 1));
    }
    if (!result.file) {
        // The file itself was readable: only a channel number can fail the load.
        FUZZ_CHECK(result.file.error == ModFunc::OverflowDescription() ||
                   result.file.error == QStringLiteral("Subscript out of range"));
        return 0;
    }
    FUZZ_CHECK(result.lastChannel >= 0 && result.lastChannel <= table.channelCount());
    FUZZ_CHECK(dialogs.lastNotice() ==
               QStringLiteral("%1 channels imported").arg(result.lastChannel));
    return 0;
}
