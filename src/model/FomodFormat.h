#pragma once

#include <QStringView>

#include <array>
#include <span>

// The vocabulary of ModuleConfig.xml that the reader, its not-kept notes and the writer share:
// the elements of the format and where a comment of the author's is kept.
namespace FomodFormat {

// The elements of the format, and Unknown for every other name.
enum class Element : quint8 {
    Unknown,
    Config,
    ModuleName,
    ModuleImage,
    ModuleDependencies,
    RequiredInstallFiles,
    InstallSteps,
    ConditionalFileInstalls,
    InstallStep,
    Visible,
    OptionalFileGroups,
    Group,
    Plugins,
    Plugin,
    Description,
    Image,
    Files,
    ConditionFlags,
    Flag,
    TypeDescriptor,
    DependencyType,
    DefaultType,
    Patterns,
    Pattern,
    Type,
    Dependencies,
    FileDependency,
    FlagDependency,
    GameDependency,
    FommDependency,
    FoseDependency,
    NvseDependency,
    SkseDependency,
    F4seDependency,
    File,
    Folder, // the last: names are indexed by the element
};

struct NamedElement {
    QStringView lowered; // as the tokenizer gives names
    QStringView written; // as the writer spells it
    Element kind;
};

// The most frequent elements first: a lookup walks the table.
inline constexpr NamedElement kElements[] = {
    {u"file", u"file", Element::File},
    {u"folder", u"folder", Element::Folder},
    {u"flag", u"flag", Element::Flag},
    {u"flagdependency", u"flagDependency", Element::FlagDependency},
    {u"filedependency", u"fileDependency", Element::FileDependency},
    {u"dependencies", u"dependencies", Element::Dependencies},
    {u"type", u"type", Element::Type},
    {u"plugin", u"plugin", Element::Plugin},
    {u"description", u"description", Element::Description},
    {u"image", u"image", Element::Image},
    {u"files", u"files", Element::Files},
    {u"typedescriptor", u"typeDescriptor", Element::TypeDescriptor},
    {u"pattern", u"pattern", Element::Pattern},
    {u"conditionflags", u"conditionFlags", Element::ConditionFlags},
    {u"defaulttype", u"defaultType", Element::DefaultType},
    {u"dependencytype", u"dependencyType", Element::DependencyType},
    {u"patterns", u"patterns", Element::Patterns},
    {u"group", u"group", Element::Group},
    {u"plugins", u"plugins", Element::Plugins},
    {u"installstep", u"installStep", Element::InstallStep},
    {u"optionalfilegroups", u"optionalFileGroups", Element::OptionalFileGroups},
    {u"visible", u"visible", Element::Visible},
    {u"config", u"config", Element::Config},
    {u"modulename", u"moduleName", Element::ModuleName},
    {u"moduleimage", u"moduleImage", Element::ModuleImage},
    {u"moduledependencies", u"moduleDependencies", Element::ModuleDependencies},
    {u"requiredinstallfiles", u"requiredInstallFiles", Element::RequiredInstallFiles},
    {u"installsteps", u"installSteps", Element::InstallSteps},
    {u"conditionalfileinstalls", u"conditionalFileInstalls", Element::ConditionalFileInstalls},
    {u"gamedependency", u"gameDependency", Element::GameDependency},
    {u"fommdependency", u"fommDependency", Element::FommDependency},
    {u"fosedependency", u"foseDependency", Element::FoseDependency},
    {u"nvsedependency", u"nvseDependency", Element::NvseDependency},
    {u"sksedependency", u"skseDependency", Element::SkseDependency},
    {u"f4sedependency", u"f4seDependency", Element::F4seDependency},
};

// The element a lowered tag name stands for.
inline Element elementOf(QStringView loweredName) {
    for (const NamedElement& entry : kElements) {
        if (entry.lowered == loweredName)
            return entry.kind;
    }
    return Element::Unknown;
}

// The name as the writer spells it; empty for Unknown.
inline QStringView writtenName(Element kind) {
    // Indexed by the element, for the end tags of a large file.
    static const auto byKind = [] {
        std::array<QStringView, size_t(Element::Folder) + 1> names{};
        for (const NamedElement& entry : kElements)
            names[size_t(entry.kind)] = entry.written;
        return names;
    }();
    return byKind[size_t(kind)];
}

// The version conditions and the CDependency::sType each is held as.
struct VersionKind {
    Element element;
    QStringView type;
};

inline constexpr VersionKind kVersionKinds[] = {
    {Element::GameDependency, u"game"}, {Element::FommDependency, u"fomm"},
    {Element::FoseDependency, u"fose"}, {Element::NvseDependency, u"nvse"},
    {Element::SkseDependency, u"skse"}, {Element::F4seDependency, u"f4se"},
};

// The sType of a version condition's element; empty for other elements.
inline QStringView versionType(Element kind) {
    for (const VersionKind& entry : kVersionKinds) {
        if (entry.element == kind)
            return entry.type;
    }
    return {};
}

// The element of a version sType; Unknown for other types.
inline Element versionElement(QStringView type) {
    for (const VersionKind& entry : kVersionKinds) {
        if (entry.type == type)
            return entry.element;
    }
    return Element::Unknown;
}

// Where a comment stands (CComment::sAt). A comment belongs to the element of the model it
// stands before, with sAt empty. Before a part of the file the model holds no element for, it
// belongs to the nearest element of the model around it, and sAt is the path of that part from
// there: the element names as written, joined by "/" ("files", "typeDescriptor/dependencyType",
// "visible/dependencies"). A path ending in "/" is the end of that part, just before its end tag;
// "/" alone is before the holding element's own end tag. The project's comments are counted from
// `config`: "" before it, "moduleName", "installSteps/" (after the last step), "/" before
// `</config>`, and kAfterConfig after it.
//
// The writer writes each element's comments at the places listed below, in this order. A comment
// read before a part the writer does not write (a part of no meaning to managers) is kept at the
// end of its holder instead, where the writer puts it; a single condition, flag or file entry
// keeps all of its comments before it.
namespace Anchor {
inline constexpr QStringView kBefore = u"";
inline constexpr QStringView kEnd = u"/";
inline constexpr QStringView kAfterConfig = u"config/";

// The elements of the model that hold comments.
enum class Holder {
    Project,
    Step,
    Group,
    Plugin,
    TypePattern,
    ConditionalInstall,
    Condition,
    Entry
};

inline constexpr QStringView kProject[] = {u"",
                                           u"moduleName",
                                           u"moduleImage",
                                           u"moduleDependencies",
                                           u"moduleDependencies/",
                                           u"requiredInstallFiles",
                                           u"requiredInstallFiles/",
                                           u"installSteps",
                                           u"installSteps/",
                                           u"conditionalFileInstalls",
                                           u"conditionalFileInstalls/patterns",
                                           u"conditionalFileInstalls/patterns/",
                                           u"conditionalFileInstalls/",
                                           u"/",
                                           u"config/"};
inline constexpr QStringView kStep[] = {u"",
                                        u"visible",
                                        u"visible/dependencies",
                                        u"visible/dependencies/",
                                        u"visible/",
                                        u"optionalFileGroups",
                                        u"optionalFileGroups/",
                                        u"/"};
inline constexpr QStringView kGroup[] = {u"", u"plugins", u"plugins/", u"/"};
inline constexpr QStringView kPlugin[] = {u"",
                                          u"description",
                                          u"image",
                                          u"conditionFlags",
                                          u"conditionFlags/",
                                          u"files",
                                          u"files/",
                                          u"typeDescriptor",
                                          u"typeDescriptor/type",
                                          u"typeDescriptor/dependencyType",
                                          u"typeDescriptor/dependencyType/defaultType",
                                          u"typeDescriptor/dependencyType/patterns",
                                          u"typeDescriptor/dependencyType/patterns/",
                                          u"typeDescriptor/dependencyType/",
                                          u"typeDescriptor/",
                                          u"/"};
inline constexpr QStringView kTypePattern[] = {u"", u"dependencies", u"dependencies/", u"type",
                                               u"/"};
inline constexpr QStringView kConditionalInstall[] = {u"",      u"dependencies", u"dependencies/",
                                                      u"files", u"files/",       u"/"};
inline constexpr QStringView kCondition[] = {u"", u"/"}; // a group of conditions
inline constexpr QStringView kEntry[] = {u""};

// The places of each holder, in the order of Holder.
inline constexpr std::span<const QStringView> kPlaces[] = {
    kProject, kStep, kGroup, kPlugin, kTypePattern, kConditionalInstall, kCondition, kEntry};

// The place a comment read at `at` is kept at.
inline QStringView kept(Holder holder, QStringView at) {
    for (QStringView place : kPlaces[int(holder)]) {
        if (place == at)
            return place;
    }
    return holder == Holder::Entry ? kBefore : kEnd;
}
} // namespace Anchor

} // namespace FomodFormat
