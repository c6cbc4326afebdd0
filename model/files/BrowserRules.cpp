#include "model/files/BrowserRules.h"

namespace model {

QString patternFromText(const QString& text)
{
    if (text.contains(u';'))
        return text;
    if (text.endsWith(u'*') || text.endsWith(u'?'))
        return text + QStringLiteral(".gif");
    return text + QStringLiteral("*.gif");
}

QStringList splitPatterns(const QString& pattern)
{
    QStringList parts;
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            parts.append(trimmed);
    }
    return parts;
}

bool matchesPattern(const QString& name, const QString& pattern)
{
    // Greedy glob match with one backtrack point: linear in practice.
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

qsizetype dataFolderIndex(QStringView folder)
{
    qsizetype component = -1;
    for (qsizetype start = 0; start <= folder.size();) {
        qsizetype end = start;
        while (end < folder.size() && folder[end] != u'/' && folder[end] != u'\\')
            ++end;
        if (folder.sliced(start, end - start).compare(u"data", Qt::CaseInsensitive) == 0)
            component = start;
        start = end + 1;
    }
    return component >= 0 ? component : folder.indexOf(u"data", 0, Qt::CaseInsensitive);
}

QString gameFolderOf(QStringView path)
{
    QStringView game = path.first(qMax<qsizetype>(0, dataFolderIndex(path)));
    while (game.size() > 1 && (game.endsWith(u'/') || game.endsWith(u'\\')))
        game.chop(1);
    return game.toString();
}

} // namespace model
