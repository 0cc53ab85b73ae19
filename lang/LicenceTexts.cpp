#include "lang/LicenceTexts.h"

#include <span>

namespace vlt {
namespace {

// Where a line names the product web site host.
constexpr std::string_view kHostToken = "{host}";

// Broken by hand for the licence memo, which wraps any line wider than its
// client area again: at most 52 characters a line in both languages. German
// paragraphs are separated by a line holding one blank, English ones by empty
// lines. The host stands on a line of its own or at the end of a short one,
// so that a host of up to 30 characters still fits.
constexpr std::string_view kGermanLines[] = {
    "===========================================",
    " LIZENZVEREINBARUNG FÜR VELTORI ADVANCED",
    "===========================================",
    " ",
    "Diese Vereinbarung gilt für das Programm VelTori",
    "Advanced samt Hilfedateien und Installationsprogramm",
    "(\"die Software\"). Mit der Installation oder Nutzung",
    "stimmen Sie ihr zu. Sind Sie nicht einverstanden,",
    "brechen Sie die Installation jetzt ab.",
    " ",
    "Die Software ist urheberrechtlich geschützt; alle",
    "nicht ausdrücklich eingeräumten Rechte bleiben beim",
    "Urheber. Sie dürfen sie weder verändern noch",
    "zurückentwickeln noch Urhebervermerke entfernen.",
    " ",
    "I. BEREITSTELLUNG",
    "VelTori Advanced ist Freeware und kostenlos.",
    "Die aktuelle Fassung erhalten Sie auf der Webseite",
    "({host}).",
    "Ein Anspruch auf neue Fassungen, Fehlerbehebungen",
    "oder Unterstützung besteht nicht.",
    " ",
    "II. WEITERGABE",
    "Sie dürfen die Software beliebig kopieren sowie",
    "unverändert und vollständig, mit allen Dateien des",
    "Installationsprogramms, weitergeben. Ein Entgelt ist",
    "nur für den Datenträger zulässig. Verkaufte",
    "Sammlungen bedürfen der Zustimmung des Urhebers.",
    " ",
    "III. NUTZUNG",
    "Sie dürfen die Software auf beliebig vielen Rechnern",
    "privat und beruflich nutzen. Für gespeicherte",
    "Inhalte sind allein Sie verantwortlich.",
    " ",
    "DIE SOFTWARE WIRD OHNE GEWÄHR FÜR FEHLERFREIHEIT",
    "ODER EIGNUNG FÜR EINEN BESTIMMTEN ZWECK",
    "BEREITGESTELLT. DER URHEBER HAFTET NICHT FÜR SCHÄDEN",
    "AUS IHRER NUTZUNG, AUCH NICHT FÜR DATENVERLUST,",
    "AUSSER BEI VORSATZ ODER GROBER FAHRLÄSSIGKEIT.",
    " ",
    "IV. SONSTIGES",
    "Sollte eine Bestimmung dieser Vereinbarung unwirksam",
    "sein, bleiben die übrigen davon unberührt.",
    "Änderungen und Ergänzungen bedürfen der Schriftform.",
    "Es gilt das Recht der Bundesrepublik Deutschland.",
    " ",
    "Stand: 13.12.2002 ({host})",
};

constexpr std::string_view kEnglishLines[] = {
    "=========================================== ",
    "VELTORI ADVANCED LICENCE AGREEMENT ",
    "=========================================== ",
    "",
    "This agreement covers the use of VelTori Advanced,",
    "including its help files and setup program",
    "(\"the software\"). By installing or using it you",
    "accept the terms below. If you do not accept them,",
    "please cancel the setup now.",
    "",
    "The software is protected by copyright. All rights",
    "not expressly granted to you remain with the author.",
    "You may not modify, decompile or disassemble it, or",
    "remove its copyright notices.",
    "",
    "I. AVAILABILITY",
    "VelTori Advanced is freeware, free of charge.",
    "The latest version is on the product web site",
    "({host}).",
    "There is no claim to updates, fixes or support;",
    "the author may change or withdraw it at any time.",
    "",
    "II. PASSING ON",
    "You may copy the software freely and pass it on,",
    "also on download sites or magazine discs, if it is",
    "unchanged and complete with all setup files. No fee",
    "beyond the cost of the medium may be charged.",
    "Collections for sale need the author's consent.",
    "",
    "III. USE",
    "You may use the software on any number of computers,",
    "privately and at work. You alone are responsible for",
    "what you store with it; keep copies of important",
    "data, as uninstalling may delete it.",
    "",
    "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY",
    "OF ANY KIND, INCLUDING FITNESS FOR A PARTICULAR",
    "PURPOSE. THE AUTHOR IS NOT LIABLE FOR ANY DAMAGES",
    "FROM USING OR BEING UNABLE TO USE IT, INCLUDING LOSS",
    "OF DATA, EXCEPT AS REQUIRED BY LAW.",
    "",
    "IV. OTHER",
    "If any provision of this agreement is invalid, the",
    "rest stays in effect. Changes must be made in",
    "writing. German law applies. For questions, contact",
    "the author via the product web site.",
    "",
    "13.12.2002 ({host})",
};

std::string JoinLines(std::span<const std::string_view> lines, std::string_view host) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (i > 0) text += "\r\n";
    const std::size_t token = line.find(kHostToken);
    if (token == std::string_view::npos) {
      text += line;
    } else {
      text += line.substr(0, token);
      text += host;
      text += line.substr(token + kHostToken.size());
    }
  }
  return text;
}

}  // namespace

std::string WebsiteHost(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme != std::string_view::npos) address.remove_prefix(scheme + 3);
  return std::string(address.substr(0, address.find('/')));
}

std::string_view LicenceText(Language language) {
  static const std::string german = JoinLines(kGermanLines, WebsiteHost(VELTORI_WEBSITE));
  static const std::string english = JoinLines(kEnglishLines, WebsiteHost(VELTORI_WEBSITE));
  return language == Language::Deutsch ? german : english;
}

}  // namespace vlt
