#include "DigitalChannelList.h"

#include "CorvaneReader.h"
#include "common/Windows1252.h"

DigitalChannelList::DigitalChannelList() : entries_(1) {}

DigitalChannelList::DigitalChannelList(std::initializer_list<DigitalChannelRecord> records)
    : DigitalChannelList()
{
    for (const DigitalChannelRecord& record : records)
        append(record);
}

DigitalChannelRecord DigitalChannelList::at(int index) const
{
    return {channelName(index).toString(), text2(index).toString(), text3(index).toString(),
            entry(index).backContact, entry(index).lastField};
}

void DigitalChannelList::clear()
{
    entries_.resize(1);
    texts_.clear();
}

void DigitalChannelList::reserve(qsizetype records, qsizetype characters)
{
    entries_.reserve(entries_.size() + std::size_t(records));
    texts_.reserve(texts_.size() + characters + records * 3 * kCountWidth);
}

void DigitalChannelList::append(const DigitalChannelRecord& record)
{
    appendRecord({record.ChannelName, record.text2, record.text3}, record.BackContact,
                 record.lastField);
}

void DigitalChannelList::appendChannel(QStringView channelName, bool backContact)
{
    appendRecord({channelName, {}, {}}, backContact, 0);
}

void DigitalChannelList::readRecords(QByteArrayView bytes, int count)
{
    const qsizetype base = texts_.size();
    texts_.resize(base + bytes.size());
    Windows1252::decodeTo(bytes, reinterpret_cast<char16_t*>(texts_.data()) + base);
    // Only the texts are ever looked at; the numbers between them decode to characters unseen.
    CorvaneReader reader(bytes);
    const std::size_t end = entries_.size() + std::size_t(std::max(count, 0));
    entries_.reserve(end);
    while (entries_.size() < end && !reader.atEnd()) {
        Entry& entry = entries_.emplace_back();
        entry.textsAt = base + (reader.rest().data() - bytes.data());
        for (qsizetype& size : entry.sizes)
            size = reader.readTextBytes().size();
        entry.backContact = reader.readBoolean();
        entry.lastField = quint16(reader.readInt16());
    }
    entries_.resize(end);
}

void DigitalChannelList::appendRecord(std::initializer_list<QStringView> texts, bool backContact,
                                      quint16 lastField)
{
    Entry entry{texts_.size(), {}, backContact, lastField};
    qsizetype* size = entry.sizes;
    for (const QStringView text : texts) {
        texts_.append(QStringView(u"\0\0", kCountWidth));
        texts_.append(text);
        *size++ = text.size();
    }
    entries_.push_back(entry);
}
