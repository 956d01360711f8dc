#include "editor/HelpText.h"

namespace HelpText {

QString quickGuide() {
    return QStringLiteral(R"(QUARVEL QUICK GUIDE

Quarvel builds the FOMOD installer of a game mod: the two files fomod\info.xml
(the mod's information) and fomod\ModuleConfig.xml (the installation wizard)
that mod managers read when a user installs the mod.


1. PREPARING THE MOD FOLDER

Put everything the mod installs into one folder, the root directory, for example
    C:\Mods\MyMod\
        Main\MyMod.esp
        Options\Textures\...
        Images\header.png
Quarvel writes its two files into the folder "fomod" inside the root directory.
If the folder does not exist yet, Quarvel offers to create it when you choose
the root directory. Every file, folder and picture you attach must lie inside
the root directory; Quarvel stores it relative to that folder.


2. THE MENU

FOMOD > New
    Starts an empty project. The open project is dropped without a question, so
    save first.
FOMOD > Open folder (Ctrl+O)
    Opens the installer of a root directory: choose the folder that holds the
    "fomod" folder.
FOMOD > Open file
    Opens an installer from one of its files: choose info.xml or
    ModuleConfig.xml inside a "fomod" folder. The other file of the pair is read
    from the same folder, and the folder above "fomod" becomes the root
    directory.
FOMOD > Save (Ctrl+S)
    Writes fomod\info.xml and fomod\ModuleConfig.xml, both in UTF-16
    little-endian, the encoding mod managers expect. A small panel reports "OK"
    or "Error" for each file.
FOMOD > Merge FOMOD
    Reads the steps, required installations and conditional installations of
    another ModuleConfig.xml and puts them in front of those of the open
    project.
FOMOD > Recent
    The root directories you saved or opened last; choose one to open it again.
FOMOD > Exit
    Ends Quarvel at once. Nothing is saved and nothing is asked.
Options > Settings
    The interface language, the text size, the menu items to hide, the splash
    screen time, the length of the Recent list, and how line breaks of plugin
    descriptions are stored.
Options > Run before save
    A command script run before every save, for example to remove an old
    archive:
        del "$MODROOT$\..\$MODNAME$ $MODVERSION$.7z"
Options > Run after save
    A command script run after every successful save, for example to pack the
    mod:
        7z a "$MODROOT$\..\$MODNAME$ $MODVERSION$.7z" "$MODROOT$\*"
    Both scripts know the macros $MODNAME$, $MODAUTHOR$, $MODVERSION$,
    $MODROOT$, $DATE$, $TIME$ and $RANDOM$. Put paths in quotation marks: they
    often contain spaces.


3. MOD INFO

Mod name, Mod author, Mod version, Mod page on Nexus and Mod category go into
info.xml as you type them. The category list offers the usual categories; you
may also type your own.
Mod header image: "Choose" picks a picture inside the root directory, "Clear"
removes it. The preview shows JPEG and PNG pictures.
Mod description: the text shown by mod managers. The characters &, < and > are
stored as character references, so the description stays valid in the file.
Workspace: type or open ("Open") the root directory. "Proceed" becomes available
when the directory holds a "fomod" folder; it creates the first step and opens
the "Steps" page. The root directory is fixed from then on until FOMOD > New.


4. STEPS

An installer is a sequence of steps; the wizard shows one step per page.
"New step" adds a step at the end, "Delete step" removes the current one with
everything in it, "Move left" and "Move right" change the order. Click a tab to
work on that step.
Step name: the title of the step's page in the wizard.

Groups and plugins
    A step holds groups; a group holds the options the user chooses from, called
    plugins.
    Type a group name, choose its type and press "Add". The group type decides
    how many of its plugins can be chosen:
        SelectExactlyOne  - exactly one plugin
        SelectAny         - any number, also none
        SelectAtMostOne   - one plugin or none
        SelectAtLeastOne  - one plugin or more
        SelectAll         - all plugins are installed
    Select a group, type a plugin name and press "Add" to give it a plugin.
    "Move up" and "Move down" change the order. To rename a group or a plugin,
    select it and click it again (or use the context menu); the context menu of
    the group list also changes its type.
Plugin description
    The text shown when the user points at the plugin. A setting decides whether
    line breaks are stored as character references.
Plugin image
    A picture inside the root directory shown beside the plugin; "Choose" and
    "Clear".
Flag set
    Flags are named values that a plugin sets when it is chosen, for example
    "UseHD" set to "On". Type or pick a name and a value and press "Add";
    "Delete" removes the selected flag.
    Flags are tested by step conditions, plugin dependencies and conditional
    installations.
Plugin dependencies
    Make a plugin's type depend on the user's setup.
        Default type name - the type when no pattern holds: Optional, Required,
                            Recommended, CouldBeUsable or NotUsable.
        New pattern       - adds a pattern; each pattern has its own tab.
        Operator          - And: all dependencies of the pattern must hold; Or:
                            one is enough.
        Type name         - the type the plugin takes when the pattern holds.
        Dependency type   - "file" tests a plugin file of the game, "flag" tests
                            a flag.
        File/Flag name    - the file name (for example Skyrim.esm) or the flag
                            name.
        State             - for a file: Active, Inactive or Missing; for a flag:
                            its value.
    "Add" adds the dependency to the pattern shown, "Delete" removes the
    selected one.
Files
    What the plugin installs. "Add file" and "Add folder" attach files or
    folders of the root directory; "Remove" detaches the selected entry. Each
    entry has
        Source path      - where it lies, relative to the root directory;
        Destination path - where it goes, relative to the game's Data folder;
        Priority         - which entry wins when two install the same file
                           (higher wins).
    Quarvel proposes the destination: plugin files and archives ending in .esp,
    .esm, .esl and .ba2 go straight into Data; otherwise the path starts at the
    first of the folders Strings, Textures, Music, Sound, Interface, Meshes,
    Programs, Materials, LODSettings, Vis, Misc, Scripts, ShadersFX or MCM; any
    other path is kept as it is. To change a destination, select it and click it
    again; the context menu edits the path or the priority.

Conditions
    A step can be shown only when conditions hold. Choose the type (file or
    flag), the name and the value and press "Add"; "Delete" removes the selected
    condition. The operator joins the conditions: And (all must hold) or Or (one
    is enough).


5. REQUIRED AND CONDITIONAL INSTALLATIONS

Required installations
    Files and folders installed always, whatever the user chooses.
Conditional installations
    Files and folders installed when a pattern of conditions holds, after the
    wizard. "New pattern" adds a pattern; give it an operator, its file and flag
    dependencies and its files.


6. SAVING

Save writes both files into the "fomod" folder of the root directory and
replaces what was there. Quarvel keeps no backup and does not warn about unsaved
work, so save often.


7. MAKING A LANGUAGE FILE

Language files are the *.txt files in the folder "Language" beside the program.
Copy one, give the copy the name of your language and translate the texts
between the quotation marks:
    ProceedButton = "Proceed"
The name before the equals sign is the name of a window element; keep it as it
is. Save the file as Unicode (UTF-16 little-endian) and choose it in Options >
Settings.
)");
}

} // namespace HelpText
