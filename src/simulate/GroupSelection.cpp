#include "simulate/GroupSelection.h"

namespace Simulate {

namespace {

int firstOf(const QList<OptionType>& types, OptionType wanted) {
    return int(types.indexOf(wanted));
}

int firstUsable(const QList<OptionType>& types) {
    for (int i = 0; i < types.size(); ++i) {
        if (types[i] != OptionType::NotUsable)
            return i;
    }
    return -1;
}

int countSelected(const QList<bool>& selected) {
    return int(selected.count(true));
}

bool allowsAtMostOne(GroupType groupType) {
    return groupType == GroupType::SelectExactlyOne || groupType == GroupType::SelectAtMostOne;
}

int minimumOf(GroupType groupType) {
    return groupType == GroupType::SelectExactlyOne || groupType == GroupType::SelectAtLeastOne ? 1
                                                                                                : 0;
}

} // namespace

bool isSingleChoice(GroupType groupType) {
    return groupType == GroupType::SelectExactlyOne;
}

QList<bool> defaultSelection(GroupType groupType, const QList<OptionType>& types) {
    QList<bool> selected(types.size(), false);
    auto selectWhere = [&](auto predicate) {
        for (int i = 0; i < types.size(); ++i) {
            if (predicate(types[i]))
                selected[i] = true;
        }
    };
    switch (groupType) {
    case GroupType::SelectExactlyOne:
    case GroupType::SelectAtMostOne: {
        int chosen = firstOf(types, OptionType::Required);
        if (chosen < 0)
            chosen = firstOf(types, OptionType::Recommended);
        if (chosen < 0 && groupType == GroupType::SelectExactlyOne)
            chosen = firstUsable(types);
        if (chosen >= 0)
            selected[chosen] = true;
        break;
    }
    case GroupType::SelectAtLeastOne:
        selectWhere(
            [](OptionType t) { return t == OptionType::Required || t == OptionType::Recommended; });
        if (countSelected(selected) == 0 && firstUsable(types) >= 0)
            selected[firstUsable(types)] = true;
        break;
    case GroupType::SelectAll:
        selectWhere([](OptionType t) { return t != OptionType::NotUsable; });
        break;
    case GroupType::SelectAny:
        selectWhere(
            [](OptionType t) { return t == OptionType::Required || t == OptionType::Recommended; });
        break;
    }
    return selected;
}

QString unsatisfiableReason(GroupType groupType, const QList<OptionType>& types) {
    const int required = int(types.count(OptionType::Required));
    if (allowsAtMostOne(groupType) && required > 1)
        return QStringLiteral("%1 options are Required but at most one may be chosen")
            .arg(required);
    if (minimumOf(groupType) > 0 && firstUsable(types) < 0)
        return QStringLiteral("one option must be chosen but none is usable");
    return QString();
}

QString selectionFault(GroupType groupType, const QList<OptionType>& types,
                       const QList<bool>& selected, const QStringList& names) {
    auto name = [&](int i) {
        return i < names.size() ? QLatin1Char('"') + names[i] + QLatin1Char('"')
                                : QString::number(i);
    };
    for (int i = 0; i < types.size(); ++i) {
        if (selected[i] && types[i] == OptionType::NotUsable)
            return QStringLiteral("option %1 is NotUsable").arg(name(i));
        if (!selected[i] && types[i] == OptionType::Required)
            return QStringLiteral("option %1 is Required").arg(name(i));
        if (!selected[i] && groupType == GroupType::SelectAll && types[i] != OptionType::NotUsable)
            return QStringLiteral("option %1 must be chosen in a SelectAll group").arg(name(i));
    }
    const int count = countSelected(selected);
    if (count < minimumOf(groupType))
        return QStringLiteral("at least one option must be chosen");
    if (allowsAtMostOne(groupType) && count > 1)
        return QStringLiteral("at most one option may be chosen");
    return QString();
}

bool toggle(GroupType groupType, const QList<OptionType>& types, QList<bool>& selected, int option,
            bool select) {
    if (option < 0 || option >= types.size() || selected[option] == select)
        return option >= 0 && option < types.size();
    QList<bool> changed = selected;
    changed[option] = select;
    if (select && allowsAtMostOne(groupType)) {
        for (int i = 0; i < changed.size(); ++i)
            changed[i] = i == option;
    }
    // The click is refused only for what it changes: a group that was already at fault (one
    // that cannot be satisfied) may still be clicked into another faulty state.
    if (types[option] == OptionType::NotUsable && select)
        return false;
    for (int i = 0; i < types.size(); ++i) {
        if (selected[i] && !changed[i] &&
            (types[i] == OptionType::Required ||
             (groupType == GroupType::SelectAll && types[i] != OptionType::NotUsable)))
            return false;
    }
    if (countSelected(changed) < minimumOf(groupType) &&
        countSelected(changed) < countSelected(selected))
        return false;
    selected = changed;
    return true;
}

} // namespace Simulate
