#include "model/FomodTypes.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace FomodTypes {

namespace {

constexpr std::array<std::pair<GroupType, const char16_t*>, 5> kGroupTypes{{
    {GroupType::SelectExactlyOne, u"SelectExactlyOne"},
    {GroupType::SelectAtMostOne, u"SelectAtMostOne"},
    {GroupType::SelectAtLeastOne, u"SelectAtLeastOne"},
    {GroupType::SelectAll, u"SelectAll"},
    {GroupType::SelectAny, u"SelectAny"},
}};

constexpr std::array<std::pair<OptionType, const char16_t*>, 5> kOptionTypes{{
    {OptionType::Required, u"Required"},
    {OptionType::Optional, u"Optional"},
    {OptionType::Recommended, u"Recommended"},
    {OptionType::CouldBeUsable, u"CouldBeUsable"},
    {OptionType::NotUsable, u"NotUsable"},
}};

template <class Type, std::size_t N>
Type typeOf(const std::array<std::pair<Type, const char16_t*>, N>& table, const QString& text,
            Type unknown) {
    for (const auto& [type, name] : table) {
        if (text == QStringView(name))
            return type;
    }
    return unknown;
}

template <class Type, std::size_t N>
QString nameOf(const std::array<std::pair<Type, const char16_t*>, N>& table, Type wanted) {
    for (const auto& [type, name] : table) {
        if (type == wanted)
            return QString::fromUtf16(name);
    }
    return QString();
}

} // namespace

GroupType groupTypeOf(const QString& text) {
    return typeOf(kGroupTypes, text, GroupType::SelectAny);
}

OptionType optionTypeOf(const QString& text) {
    return typeOf(kOptionTypes, text, OptionType::Optional);
}

QString groupTypeName(GroupType type) {
    return nameOf(kGroupTypes, type);
}

QString optionTypeName(OptionType type) {
    return nameOf(kOptionTypes, type);
}

bool isTrue(const QString& text) {
    return text == u"true" || text == u"1";
}

std::optional<VersionNumber> versionNumber(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 4)
        return std::nullopt;
    VersionNumber number{0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool digits = !part.isEmpty() && std::all_of(part.cbegin(), part.cend(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        });
        bool ok = false;
        number[size_t(i)] = digits ? part.toULongLong(&ok) : 0;
        if (!ok)
            return std::nullopt;
    }
    return number;
}

} // namespace FomodTypes
