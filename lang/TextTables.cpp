#include "lang/TextTables.h"

#include "lang/LicenceTexts.h"
#include "platform/Shell.h"

namespace vlt {
namespace {

constexpr TextScope kUninstallOnly = TextScope::UninstallModeOnly;

// "\r" is one carriage return: the message box breaks the line there.
constexpr MessageTextRow kMessageTexts[] = {
    {.key = "MsgExtractError",
     .field = &MessageTexts::MsgExtractError,
     .deutsch = "Fehler beim entpacken der Dateien. \rMöglicherweise ist die Anwendung bereits "
                "installiert.",
     .english = "Extracting Error! File already exists?"},
    {.key = "MsgCreateDirError",
     .field = &MessageTexts::MsgCreateDirError,
     .deutsch = "Fehler beim Anlegen des Verzeichnisses.\rBitte überprüfen Sie Ihre Eingaben.",
     .english = "Error while creating the directorys.\rPlease validate your input."},
    {.key = "MsgRegistryError",
     .field = &MessageTexts::MsgRegistryError,
     .deutsch = "Fehler beim Erstellen der Registryeinträge, möglicherweise haben sie keine "
                "Administratorrechte",
     .english = "Error while creating the registry-keys. It's possible that you don't have "
                "administrator permissons."},
    {.key = "MsgCopyUninstallerError",
     .field = &MessageTexts::MsgCopyUninstallerError,
     .deutsch = "Fehler beim Kopieren des Deinstallationsprogramms.\rMöglicherweise ist der "
                "Datenträger voll.",
     .english = "Error while copying the uninstaller.\rPerhaps the disk is full."},
    // Start-menu shortcut file names, without ".lnk".
    {.key = "LinkNameRun",
     .field = &MessageTexts::LinkNameRun,
     .deutsch = "Veltori Advanced ausführen",
     .english = "start Veltori Advanced"},
    {.key = "LinkNameUninstall",
     .field = &MessageTexts::LinkNameUninstall,
     .deutsch = "Veltori Advanced deinstallieren",
     .english = "uninstall Veltori Advanced"},
    {.key = "LinkNameHelp",
     .field = &MessageTexts::LinkNameHelp,
     .deutsch = "Veltori Advanced Hilfe",
     .english = "Veltori Advanced help"},
    {.key = "TitleChooseFolder",
     .field = &MessageTexts::TitleChooseFolder,
     .deutsch = "Ordner auswählen",
     .english = "Choose directory"},
    {.key = "MsgConfirmCancel",
     .field = &MessageTexts::MsgConfirmCancel,
     .deutsch = "Setup wirklich abbrechen?",
     .english = "Do you really want exit Setup?"},
    {.key = "MsgUninstallDone",
     .field = &MessageTexts::MsgUninstallDone,
     .deutsch = "Die gewünschte Deinstallation von VelTori ist abgeschlossen.",
     .english = "Deinstallation completed!",
     .scope = kUninstallOnly},
};

// German Cancel and Abort share one caption.
constexpr DialogCaptionRow kDialogCaptions[] = {
    {"CaptionYes", &DialogCaptions::CaptionYes, "&Ja", "&Yes"},
    {"CaptionNo", &DialogCaptions::CaptionNo, "&Nein", "&No"},
    {"CaptionOk", &DialogCaptions::CaptionOk, "&Ok", "&Ok"},
    {"CaptionCancel", &DialogCaptions::CaptionCancel, "A&bbrechen", "&Cancel"},
    {"CaptionHelp", &DialogCaptions::CaptionHelp, "&Help", "&Help"},
    {"CaptionAbort", &DialogCaptions::CaptionAbort, "A&bbrechen", "A&bort"},
    {"CaptionRetry", &DialogCaptions::CaptionRetry, "&Wiederholen", "&Retry"},
    {"CaptionIgnore", &DialogCaptions::CaptionIgnore, "&Ignorieren", "&Ignore"},
    {"CaptionAll", &DialogCaptions::CaptionAll, "&Alles", "&All"},
    {"TitleWarning", &DialogCaptions::TitleWarning, "Warnung", "Warning"},
    {"TitleError", &DialogCaptions::TitleError, "Fehler", "Error"},
    {"TitleInformation", &DialogCaptions::TitleInformation, "Information", "Information"},
    {"TitleConfirmation", &DialogCaptions::TitleConfirmation, "Bestätiung", "Confirmation"},
};

// Constant data: the one text made at run time comes through its function.
constexpr PageTextRow kPageTexts[] = {
    // Window titles. The uninstall page's title is set in both modes (the
    // page is skipped where it does not exist).
    {"TForm1.Caption", "VelTori Advanced Setup (Schritt 2/4)", "VelTori Advanced Setup (Step 2/4)"},
    {"TForm2.Caption", "VelTori Advanced Setup (Schritt 3/4)", "VelTori Advanced Setup (Step 3/4)"},
    {"TForm3.Caption", "VelTori Advanced Setup (Schritt 4/4)", "VelTori Advanced Setup (Step 4/4)"},
    {"TForm4.Caption", "VelTori Advanced Deinstallation", "VelTori Advanced Uninstall"},

    // Licence page.
    {.key = "TForm1.Memo_Lizentext",
     .deutsch = {},
     .english = {},
     .scope = TextScope::BothModes,
     .madeText = &LicenceText},
    {"TForm1.Label_Lizenzvereinbarung", "Lizenzvereinbarung", "Licence agreement"},
    {"TForm1.BitBtn_Install", "&Installieren >>", "&Install >>"},
    {"TForm1.BitBtn_Abbrechen", "&Abbrechen", "&Cancel"},

    // Settings page. The edit field's text is its content: the default
    // install directory follows the language. It is proposed below the
    // machine's Program Files folder as this program sees it (a 32-bit
    // program on 64-bit Windows gets "Program Files (x86)"): only
    // administrators may change what lies there, which matters for a product
    // that starts at every user's logon and an uninstaller that runs elevated.
    {"TForm2.BitBtn_Weiter", "&Weiter >>", "&Next >>"},
    {"TForm2.BitBtn_Abbrechen", "&Abbrechen", "&Cancel"},
    {"TForm2.Label_BitteInstallationseinstellungenVornehmen",
     "Bitte nehmen Sie die Installationseinstellungen vor:", "Please select your options:"},
    {"TForm2.CheckBox_automatischstarten", "VelTori automatisch starten", "Autostart VelTori"},
    {"TForm2.CheckBox_VerknupfungAufDesktop", "Verknüpfung auf dem Desktop erstellen",
     "Add shortcut to desktop"},
    {"TForm2.CheckBox_EintragInsStartmenu", "Eintrag ins Startmenü", "Add group to startmenu"},
    {"TForm2.Label_Installationsverzeichnis", "Installationsverzeichnis:", "Destination:"},
    {.key = "TForm2.Edit_InstallVerz",
     .deutsch = "C:\\Programme\\VelTori Advanced",
     .english = "C:\\Programs\\VelTori Advanced",
     .systemParent = csidl::kProgramFiles},
    {"TForm2.BitBtn_Suchen", "&Suchen", "&Browse"},

    // Finish page.
    {"TForm3.Label_Installationerfolgreich",
     "Die Installation von VelTori Advanced ist jetzt abgeschlossen. Falls Sie Fragen haben, "
     "lesen Sie die Hilfe von VelTori und/oder besuchen Sie die Webseite (" VELTORI_WEBSITE ").",
     "The installion of VelTori Advanced is finished now!  If you have any questions read the "
     "help file or/and visit the VelTori Advanced website (" VELTORI_WEBSITE ")."},
    {"TForm3.Label_StandardHotkey", "Hinweis: Die Standardaufruftaste ist die Taste \"Rollen\"",
     "Note: the  default hotkey is \"Scroll Lock\""},
    {"TForm3.CheckBox_WebseiteBesuchen", "VelTori Webseite jetzt besuchen",
     "Visit VelTori website now"},
    {"TForm3.CheckBox_VelToriJetztStarten", "VelTori jetzt starten", "Start VelTori now"},
    {"TForm3.Label_VielSpass", "Viel Spaß", "Have fun!"},
    {"TForm3.BitBtn_FertigStellen", "&Fertig!", "&Finish!"},

    // Uninstall page: its controls only in uninstall mode.
    {"TForm4.Label_WasEntfernen", "Was soll entfernt werden?", "Choose Components:", kUninstallOnly},
    {"TForm4.CheckBox_DelExe", "VelTori.Exe", "VelTori.Exe", kUninstallOnly},
    {"TForm4.CheckBox_DelHilfe", "Hilfe", "Help", kUninstallOnly},
    {"TForm4.CheckBox_DelRegistry", "Registry-Einträge entfernen", "Registry entries", kUninstallOnly},
    {"TForm4.CheckBox_DelStartmenue", "Einträge im Startmenü", "Startmenu entries", kUninstallOnly},
    {"TForm4.CheckBox_DelDesktopLnk", "Verknüpfung auf dem Desktop", "Desktop shortcut",
     kUninstallOnly},
    {"TForm4.CheckBox_DelCfg", "Konfigurationsdatei", "Configuration file", kUninstallOnly},
    {"TForm4.CheckBox_DelPufferText", "Gepufferte Texteinträge (aktuell)",
     "Cached text entries (current)", kUninstallOnly},
    {"TForm4.CheckBox_DelPufferBild", "Gepufferte Bildeinträge (aktuell)",
     "Cached picture entries (current)", kUninstallOnly},
    {"TForm4.CheckBox_DelSontiges", "Sonstige Dateien aus dem VelTori-Verzeichnis",
     "Other files in the VelTori directory", kUninstallOnly},
    {"TForm4.CheckBox_DelUninst", "Setup (Uninstaller)", "Setup (Uninstaller)", kUninstallOnly},
    {"TForm4.BitBtn_Abbrechen", "&Abbrechen", "&Cancel", kUninstallOnly},
    {"TForm4.BitBtn_Deinstallieren", "&Deinstallieren", "&Uninstall", kUninstallOnly},
};

}  // namespace

std::span<const PageTextRow> PageTexts() { return kPageTexts; }

std::span<const MessageTextRow> MessageTextRows() { return kMessageTexts; }

std::span<const DialogCaptionRow> DialogCaptionRows() { return kDialogCaptions; }

}  // namespace vlt
