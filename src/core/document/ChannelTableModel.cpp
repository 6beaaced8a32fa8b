#include "ChannelTableModel.h"

#include "common/ChannelLabel.h"
#include "common/ReusedText.h"
#include "common/ShowMessage.h"
#include "common/Windows1252.h"

#include <array>
#include <utility>

using ModFunc::ChannelLabel;

namespace {

const QString kUp = QStringLiteral("UP");
const QString kDown = QStringLiteral("DN");

QString makeSpareName(int channel)
{
    return QStringLiteral("Spare ") + ChannelLabel(channel);
}

// The default rows of every choice, made once: their texts are shared, so a reset or a fill
// copies no text and allocates nothing.
struct DefaultRows
{
    std::array<QList<ChannelRow>, ChannelTableModel::kChoiceCount> ofChoice;

    DefaultRows()
    {
        QList<ChannelRow>& all = ofChoice.back();
        all.reserve(ModFunc::kMaxChannels);
        for (int channel = 1; channel <= ModFunc::kMaxChannels; ++channel)
            all.append({makeSpareName(channel), false, kUp, kDown});
        for (int choice = 0; choice + 1 < ChannelTableModel::kChoiceCount; ++choice)
            ofChoice[choice] = all.first(ChannelTableModel::choiceChannels(choice));
    }

    static const DefaultRows& instance()
    {
        static const DefaultRows rows;
        return rows;
    }
    static const QList<ChannelRow>& all() { return instance().ofChoice.back(); }
};

} // namespace

int ChannelTableModel::choiceChannels(int choice)
{
    return (choice + 1) * ModFunc::kChannelsPerUnit;
}

QString ChannelTableModel::choiceText(int choice)
{
    return QStringLiteral("%1 unit - %2 ch").arg(choice + 1).arg(choiceChannels(choice));
}

QString ChannelTableModel::spareName(int channel)
{
    if (channel < 1 || channel > ModFunc::kMaxChannels)
        return makeSpareName(channel);
    return DefaultRows::all()[channel - 1].relNam;
}

void ChannelTableModel::assignSpareName(QString& name, int channel)
{
    if (channel < 1 || channel > ModFunc::kMaxChannels) {
        name = makeSpareName(channel);
        return;
    }
    ReusedText::assignUnlessSame(name, DefaultRows::all()[channel - 1].relNam);
}

QString ChannelTableModel::maximumChannelsText(int channels)
{
    return QStringLiteral("This copy of ZR415Config can handle a maximum of %1 channels.")
        .arg(channels);
}

ChannelRow ChannelTableModel::defaultRow(int channel)
{
    if (channel < 1 || channel > ModFunc::kMaxChannels)
        return {makeSpareName(channel), false, kUp, kDown};
    return DefaultRows::all()[channel - 1];
}

ChannelTableModel::ChannelTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : channelCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ChannelTableModel::label(int row) const
{
    return ChannelLabel(row + 1);
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ChannelRow& row = rows_[index.row()];
    if (index.column() == ColBack) {
        if (role == Qt::CheckStateRole)
            return row.back ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (index.column() == ColRelNam && hasUnencodableCharacters(row.relNam)) {
        if (role == UnencodableRole)
            return true;
        if (role == Qt::ToolTipRole)
            return QStringLiteral("Characters the channel file cannot hold are written as \"?\".");
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case ColChan:
        return label(index.row());
    case ColRelNam:
        return row.relNam;
    case ColStUp:
        return row.stUp;
    case ColStDn:
        return row.stDn;
    }
    return {};
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    ChannelRow edited = rows_[index.row()];
    switch (index.column()) {
    case ColRelNam:
        if (role != Qt::EditRole)
            return false;
        edited.relNam = value.toString().left(kRelayNameLimit);
        break;
    case ColBack:
        if (role != Qt::CheckStateRole)
            return false;
        edited.back = value.value<Qt::CheckState>() == Qt::Checked;
        break;
    case ColStUp:
        if (role != Qt::EditRole)
            return false;
        edited.stUp = value.toString();
        break;
    case ColStDn:
        if (role != Qt::EditRole)
            return false;
        edited.stDn = value.toString();
        break;
    default:
        return false;
    }
    if (edited == rows_[index.row()])
        return true;
    if (userEditHandler_) {
        userEditHandler_({{index.row(), rows_[index.row()]}}, {{index.row(), edited}});
        return true;
    }
    applyUserRows({{index.row(), edited}});
    return true;
}

void ChannelTableModel::applyUserRows(const QList<RowChange>& changes)
{
    int first = channelCount();
    int last = -1;
    for (const auto& [row, value] : changes) {
        if (!hasRow(row))
            continue;
        rows_[row] = value;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last < 0)
        return;
    emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    emit cellEdited();
}

bool ChannelTableModel::hasUnencodableCharacters(const QString& text)
{
    for (const QChar c : text) {
        if (c != u'?' && Windows1252::encodeCodePoint(c.unicode()) == '?')
            return true;
    }
    return false;
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    switch (index.column()) {
    case ColChan:
        return Qt::ItemIsEnabled;
    case ColBack:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    default:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColChan:
        return QStringLiteral("Chan");
    case ColRelNam:
        return QStringLiteral("Relay name");
    case ColBack:
        return QStringLiteral("Back contact");
    case ColStUp:
        return QStringLiteral("State up");
    case ColStDn:
        return QStringLiteral("State down");
    }
    return {};
}

bool ChannelTableModel::setChannel(int row, ChannelRow value)
{
    if (!hasRow(row))
        return false;
    rows_[row] = std::move(value);
    return true;
}

bool ChannelTableModel::setRelayName(int row, QString name)
{
    if (!hasRow(row))
        return false;
    rows_[row].relNam = std::move(name);
    return true;
}

bool ChannelTableModel::setBackContact(int row, bool back)
{
    if (!hasRow(row))
        return false;
    rows_[row].back = back;
    return true;
}

void ChannelTableModel::RefreshGrid()
{
    if (rows_.isEmpty())
        return;
    emit dataChanged(index(0, 0), index(channelCount() - 1, ColumnCount - 1));
}

void ChannelTableModel::FillDefaultRows(int firstRow)
{
    const QList<ChannelRow>& defaults = DefaultRows::all();
    for (int row = std::max(firstRow, 0); row < channelCount(); ++row)
        rows_[row] = defaults[row];
    RefreshGrid();
}

void ChannelTableModel::resizeTo(int channels)
{
    const int old = channelCount();
    if (channels > old) {
        beginInsertRows({}, old, channels - 1);
        rows_.reserve(channels);
        const QList<ChannelRow>& defaults = DefaultRows::all();
        for (int row = old; row < channels; ++row)
            rows_.append(defaults[row]);
        endInsertRows();
    } else if (channels < old) {
        beginRemoveRows({}, channels, old - 1);
        rows_.resize(channels);
        endRemoveRows();
    }
}

bool ChannelTableModel::SetChannelCount(int requested, int fillMode)
{
    int chosen = -1;
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        chosen = choice;
        if (choiceChannels(choice) >= requested)
            break;
    }
    if (requested <= 0 || chosen < 0) {
        ModFunc::ShowMessage(QStringLiteral("Error setting no of channels."));
        return false;
    }
    const int channels = choiceChannels(chosen);
    if (fillMode == FillAllRows) {
        beginResetModel();
        resetToDefaults(DefaultRows::instance().ofChoice[chosen]);
        endResetModel();
    } else {
        // Added rows get their defaults; the kept rows keep their values.
        resizeTo(channels);
    }
    selectChoice(chosen);
    return true;
}

void ChannelTableModel::resetToDefaults(const QList<ChannelRow>& defaults)
{
    if (rows_.size() != defaults.size() || !rows_.isDetached()) {
        rows_ = defaults;
        return;
    }
    // Row by row into the list the table holds: releasing the whole list at once would free
    // one large block after thousands of small ones, which costs the allocator far more.
    ChannelRow* row = rows_.data();
    for (const ChannelRow& value : defaults)
        *row++ = value;
}

void ChannelTableModel::selectChoice(int choice)
{
    selectedChoice_ = choice;
    emit choiceSelected(choice);
}
