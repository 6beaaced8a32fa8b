#pragma once

#include "DigitalChannelRecord.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <vector>

// The allocations of a DChannel.cfg, one-based: index 0 holds an empty record that stands for
// "nothing", so the last index is the number of allocations. The texts of all records live in
// one string, so that a site of thousands of channels takes two blocks of memory rather than
// one per name, and reading it costs little more than its bytes.
class DigitalChannelList
{
public:
    DigitalChannelList();
    // Allocations 1..n in the given order.
    DigitalChannelList(std::initializer_list<DigitalChannelRecord> records);

    // The number of allocations.
    int lastIndex() const { return int(entries_.size() - 1); }
    DigitalChannelRecord at(int index) const;
    QStringView channelName(int index) const { return text(index, 0); }
    QStringView text2(int index) const { return text(index, 1); }
    QStringView text3(int index) const { return text(index, 2); }
    bool backContact(int index) const { return entry(index).backContact; }

    // Back to the empty record alone.
    void clear();
    void reserve(qsizetype records, qsizetype characters);
    void append(const DigitalChannelRecord& record);
    // A record that has only the two fields the channel table knows of.
    void appendChannel(QStringView channelName, bool backContact);
    // Appends `count` records as a DChannel.cfg holds them; those the bytes cut off stay empty.
    void readRecords(QByteArrayView bytes, int count);

private:
    // A record's three texts lie in texts_ where a file's record holds them: each after two
    // characters that stand for its byte count. The records of a file then decode in one pass.
    static constexpr qsizetype kCountWidth = 2;

    struct Entry
    {
        qsizetype textsAt = 0; // where the first text's count would be
        qsizetype sizes[3] = {};
        bool backContact = false;
        quint16 lastField = 0;
    };

    const Entry& entry(int index) const
    {
        Q_ASSERT(index >= 0 && std::size_t(index) < entries_.size());
        return entries_[std::size_t(index)];
    }
    QStringView text(int index, int field) const
    {
        const Entry& entry = this->entry(index);
        // A text the file cuts off may have no place of its own.
        if (entry.sizes[field] == 0)
            return QStringView(u"", 0);
        qsizetype at = entry.textsAt + kCountWidth;
        for (int before = 0; before < field; ++before)
            at += entry.sizes[before] + kCountWidth;
        return QStringView(texts_).sliced(at, entry.sizes[field]);
    }
    void appendRecord(std::initializer_list<QStringView> texts, bool backContact,
                      quint16 lastField);

    std::vector<Entry> entries_;
    QString texts_;
};
