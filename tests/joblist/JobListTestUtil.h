#pragma once

#include "joblist/JobListModel.h"
#include "support/TestSupport.h"

#include <QString>
#include <QStringList>
#include <ostream>

namespace pagula::joblist
{
inline void PrintTo(const JobEntry& e, std::ostream* os)
{
    *os << '"' << e.path.toStdString() << "\" profile " << e.cropProfile;
}
} // namespace pagula::joblist

namespace pagula::joblist::test
{

// Entries in the job list file's notation ("/a.jpg1"), for compact tables.
inline JobEntries entriesOf(const QStringList& texts)
{
    JobEntries entries;
    for (const QString& t : texts)
        entries.append(JobEntry::fromText(t));
    return entries;
}

inline QStringList textsOf(const JobEntries& entries)
{
    QStringList texts;
    for (const JobEntry& e : entries)
        texts.append(e.text());
    return texts;
}

// Fills the list with entries "/p/<i>.jpg<code>" whose codes are the characters of codes, and
// ticks the rows marked '1' in ticks (same length, or empty for no ticks).
inline void fill(JobListModel& model, const QString& codes, const QString& ticks = QString())
{
    JobEntries entries;
    for (int i = 0; i < codes.size(); ++i)
        entries.append(JobEntry::fromText(QStringLiteral("/p/%1.jpg").arg(i) + codes[i]));
    model.replaceEntries(entries);
    for (int i = 0; i < ticks.size(); ++i) {
        if (ticks[i] == QLatin1Char('1'))
            model.toggleTick(i);
    }
}

// The crop codes of all rows as one string.
inline QString codes(const JobListModel& model)
{
    QString s;
    for (int i = 0; i < model.size(); ++i)
        s.append(model.entry(i).cropCode());
    return s;
}

// The ticks of all rows as '0'/'1'.
inline QString ticks(const JobListModel& model)
{
    QString s;
    for (int i = 0; i < model.size(); ++i)
        s.append(model.isTicked(i) ? QLatin1Char('1') : QLatin1Char('0'));
    return s;
}

inline int countTicks(const JobListModel& model)
{
    return static_cast<int>(ticks(model).count(QLatin1Char('1')));
}

} // namespace pagula::joblist::test
