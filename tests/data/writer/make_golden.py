#!/usr/bin/env python3
# Composes the expected installer files line by line from the format and writes them as
# UTF-16 LE with the mark FF FE. Run it after a deliberate change of the format; never feed
# the writer's own output back in here.
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
VERSION = "2.3.0.15"
HOME = "https://example.org/q?a=1&b=2"


def t(n):
    return "\t" * n


def save(name, lines):
    (HERE / name).write_bytes(b"\xff\xfe" + "".join(lines).encode("utf-16-le"))


def config_head():
    return [
        "<!-- Created with Quarvel " + VERSION + " [" + HOME + "] --> \n",
        '<config xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
        ' xsi:noNamespaceSchemaLocation="http://qconsulting.ca/fo3/ModConfig5.0.xsd"> \n',
    ]


save("empty_info.xml", ["<fomod> \n", "</fomod> \n"])
save("empty_config.xml", config_head() + ["\t<moduleName></moduleName> \n", "</config>"])

save("full_info.xml", [
    "<fomod> \n",
    "\t<Name>Tom &#38; Jerry's &#60;Big&#62; \"Mod\"</Name> \n",
    "\t<Author>A&#38;B</Author> \n",
    "\t<Version>1.0&#60;beta&#62;</Version> \n",
    "\t<Website>https://example.com/mods?id=1&#38;x=2</Website> \n",
    "\t<Description>Line one &#38; &#60;two&#62;\r\nLine &#38; three &amp; \u00e9\U0001F600</Description> \n",
    "\t<Groups>\n\t\t<element>Armour &#38; Shields</element>\n\t</Groups> \n",
    "</fomod> \n",
])

full = config_head() + [
    "\t<moduleName>Tom &#38; Jerry's &#60;Big&#62; \"Mod\"</moduleName> \n",
    '\t<moduleImage path="fomod\\images\\header &#34;1&#34;.png" /> \n',
    "\t<requiredInstallFiles> \n",
    '\t\t<file source="core\\main.esp" destination="main.esp" priority="9" /> \n',
    '\t\t<folder source="core\\textures &#38; meshes" destination="textures" /> \n',
    "\t</requiredInstallFiles> \n",
    '\t<installSteps order="Explicit"> \n',
    # step with visibility of every kind and two groups
    '\t\t<installStep name="Options &#38; &#34;Extras&#34;"> \n',
    "\t\t\t<visible> \n",
    '\t\t\t\t<dependencies operator="Or"> \n',
    t(6) + '<flagDependency flag="A" value="On"/> \n',
    t(6) + '<fileDependency file="base.esm" state="Active"/> \n',
    t(6) + '<flagDependency flag="B&#60;" value="Off&#38;"/> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t</visible> \n",
    '\t\t\t<optionalFileGroups order="Explicit"> \n',
    '\t\t\t\t<group name="Main &#60;choose&#62;" type="SelectExactlyOne"> \n',
    '\t\t\t\t\t<plugins order="Explicit"> \n',
    # plugin with image, flags, files and a plain type
    t(6) + '<plugin name="Full"> \n',
    t(7) + "<description>Everything &#60;all&#62;</description> \n",
    t(7) + '<image path="fomod\\full.png" /> \n',
    t(7) + "<conditionFlags> \n",
    t(8) + '<flag name="Full">On</flag> \n',
    t(7) + "</conditionFlags> \n",
    t(7) + "<files> \n",
    t(8) + '<file source="a\\x.esp" destination="x.esp" priority="-5" /> \n',
    t(8) + '<folder source="b" destination="" priority="0" /> \n',
    t(7) + "</files> \n",
    t(7) + "<typeDescriptor> \n",
    t(8) + '<type name="Required"/> \n',
    t(7) + "</typeDescriptor> \n",
    t(6) + "</plugin> \n",
    # plugin with flags only and two patterns
    t(6) + '<plugin name="Lite"> \n',
    t(7) + "<description></description> \n",
    t(7) + "<conditionFlags> \n",
    t(8) + '<flag name="Lite">On</flag> \n',
    t(8) + '<flag name="Mode &#34;x&#34;">a&#38;b &#60;c&#62;</flag> \n',
    t(7) + "</conditionFlags> \n",
    t(7) + "<typeDescriptor> \n",
    t(8) + "<dependencyType> \n",
    t(9) + '<defaultType name="CouldBeUsable"/> \n',
    t(9) + "<patterns> \n",
    t(10) + "<pattern> \n",
    t(11) + '<dependencies operator="And"> \n',
    t(12) + '<fileDependency file="x.esp" state="Missing"/> \n',
    t(12) + '<flagDependency flag="Full" value="On"/> \n',
    t(11) + "</dependencies> \n",
    t(11) + '<type name="Recommended"/> \n',
    t(10) + "</pattern> \n",
    t(10) + "<pattern> \n",
    t(11) + '<dependencies operator="And"> \n',
    t(11) + "</dependencies> \n",
    t(11) + '<type name="NotUsable"/> \n',
    t(10) + "</pattern> \n",
    t(9) + "</patterns> \n",
    t(8) + "</dependencyType> \n",
    t(7) + "</typeDescriptor> \n",
    t(6) + "</plugin> \n",
    # plugin that sets nothing and installs nothing
    t(6) + '<plugin name="None"> \n',
    t(7) + "<description>Nothing &#38; nobody</description> \n",
    t(7) + "<files> \n",
    t(7) + "</files> \n",
    t(7) + "<typeDescriptor> \n",
    t(8) + '<type name="Optional"/> \n',
    t(7) + "</typeDescriptor> \n",
    t(6) + "</plugin> \n",
    # plugin with files only
    t(6) + '<plugin name="Files only"> \n',
    t(7) + "<description>Two\r\nlines&#13;&#10;\nhere</description> \n",
    t(7) + "<files> \n",
    t(8) + '<file source="c&#38;d\\c.esp" destination="c.esp" priority="2147483647" /> \n',
    t(8) + '<file source="e.esp" destination="e.esp" priority="-2147483648" /> \n',
    t(7) + "</files> \n",
    t(7) + "<typeDescriptor> \n",
    t(8) + '<type name="NotUsable"/> \n',
    t(7) + "</typeDescriptor> \n",
    t(6) + "</plugin> \n",
    "\t\t\t\t\t</plugins> \n",
    "\t\t\t\t</group> \n",
    # group without plugins
    '\t\t\t\t<group name="Empty group" type="SelectAny"> \n',
    '\t\t\t\t\t<plugins order="Explicit"> \n',
    "\t\t\t\t\t</plugins> \n",
    "\t\t\t\t</group> \n",
    "\t\t\t</optionalFileGroups> \n",
    "\t\t</installStep> \n",
    # step without visibility and without groups
    '\t\t<installStep name="Empty step"> \n',
    '\t\t\t<optionalFileGroups order="Explicit"> \n',
    "\t\t\t</optionalFileGroups> \n",
    "\t\t</installStep> \n",
    # step whose only condition has an unknown type
    '\t\t<installStep name="Unknown condition"> \n',
    "\t\t\t<visible> \n",
    '\t\t\t\t<dependencies operator="And"> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t</visible> \n",
    '\t\t\t<optionalFileGroups order="Explicit"> \n',
    "\t\t\t</optionalFileGroups> \n",
    "\t\t</installStep> \n",
    "\t</installSteps> \n",
    "\t<conditionalFileInstalls> \n",
    "\t\t<patterns> \n",
    # dependencies and files
    "\t\t\t<pattern> \n",
    '\t\t\t\t<dependencies operator="And"> \n',
    '\t\t\t\t\t<flagDependency flag="Full" value="On"/> \n',
    '\t\t\t\t\t<fileDependency file="x &#38; y.esp" state="Inactive"/> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t\t<files> \n",
    '\t\t\t\t\t<file source="opt\\a.esp" destination="a.esp" priority="-1" /> \n',
    '\t\t\t\t\t<folder source="opt\\tex" destination="textures" priority="3" /> \n',
    "\t\t\t\t</files> \n",
    "\t\t\t</pattern> \n",
    # neither: both elements all the same, as the schema requires them
    "\t\t\t<pattern> \n",
    '\t\t\t\t<dependencies operator="And"> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t\t<files> \n",
    "\t\t\t\t</files> \n",
    "\t\t\t</pattern> \n",
    # dependencies only, operator not set
    "\t\t\t<pattern> \n",
    '\t\t\t\t<dependencies operator="And"> \n',
    '\t\t\t\t\t<flagDependency flag="Lite" value="On"/> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t\t<files> \n",
    "\t\t\t\t</files> \n",
    "\t\t\t</pattern> \n",
    # files only
    "\t\t\t<pattern> \n",
    '\t\t\t\t<dependencies operator="And"> \n',
    "\t\t\t\t</dependencies> \n",
    "\t\t\t\t<files> \n",
    '\t\t\t\t\t<folder source="x" destination="y" priority="0" /> \n',
    "\t\t\t\t</files> \n",
    "\t\t\t</pattern> \n",
    "\t\t</patterns> \n",
    "\t</conditionalFileInstalls> \n",
    "</config>",
]
save("full_config.xml", full)
