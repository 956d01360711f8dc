#include "check/ConditionReach.h"

#include "model/ConditionText.h"
#include "model/Vocabulary.h"

namespace ConditionReach {

namespace {

bool canHold(const CDependency& condition, const FlagValues& possible, const Wording& wording) {
    if (condition.sType == u"file")
        return true;
    if (condition.sType == u"flag")
        return condition.sValue.isEmpty() ||
               possible.value(condition.sName).contains(condition.sValue);
    if (condition.sType == u"group")
        return whyNever(condition.sOperator, condition.vDependencies, possible, wording).isEmpty();
    static const QStringList versionKinds = Vocabulary::versionKinds();
    return versionKinds.contains(condition.sType);
}

QString describe(const CDependency& condition) {
    if (condition.sType == u"flag")
        return QStringLiteral("flag '%1' is '%2'").arg(condition.sName, condition.sValue);
    if (condition.sType == u"group")
        return QStringLiteral("'%1'").arg(ConditionText::of(condition));
    return QStringLiteral("a condition of kind '%1'").arg(condition.sType);
}

} // namespace

QString whyNever(const QString& sOperator, const QList<CDependency>& conditions,
                 const FlagValues& possible, const Wording& wording) {
    if (sOperator == u"Or") {
        if (conditions.isEmpty())
            return QStringLiteral("an empty Or group never holds");
        for (const CDependency& condition : conditions) {
            if (canHold(condition, possible, wording))
                return QString();
        }
        return QStringLiteral("none of its conditions can hold, as ") + wording.sUnsetFlags;
    }
    QHash<QString, QString> wanted; // "flag:F" or "file:f" -> the value wanted
    for (const CDependency& condition : conditions) {
        if (condition.sType == u"group") {
            const QString inner =
                whyNever(condition.sOperator, condition.vDependencies, possible, wording);
            if (!inner.isEmpty())
                return QStringLiteral("it needs %1, which cannot hold: %2")
                    .arg(describe(condition), inner);
            continue;
        }
        if (!canHold(condition, possible, wording))
            return QStringLiteral("it needs %1, which %2")
                .arg(describe(condition), wording.sUnsetValue);
        const bool isFile = condition.sType == u"file";
        if (!isFile && condition.sType != u"flag")
            continue;
        // File names are compared without letter case, as the managers look them up.
        const QString key = isFile ? QStringLiteral("file:") + condition.sName.toCaseFolded()
                                   : QStringLiteral("flag:") + condition.sName;
        const auto it = wanted.constFind(key);
        if (it == wanted.constEnd())
            wanted.insert(key, condition.sValue);
        else if (*it != condition.sValue)
            return QStringLiteral("it needs %1 '%2' to be both '%3' and '%4'")
                .arg(isFile ? QStringLiteral("file") : QStringLiteral("flag"), condition.sName, *it,
                     condition.sValue);
    }
    return QString();
}

} // namespace ConditionReach
