#include "lang/LicenceTexts.h"

namespace vlt {
namespace {

// Where a line names the product web site host.
constexpr std::string_view kHostToken = "{host}";

// One literal per language, its lines ended by "\r\n" (but the last).
// Broken by hand for the licence memo, which wraps any line wider than its
// client area again: at most 52 characters a line in both languages. German
// paragraphs are separated by a line holding one blank, English ones by empty
// lines. The host stands on a line of its own or at the end of a short one,
// so that a host of up to 30 characters still fits.
constexpr std::string_view kGermanText =
    "===========================================\r\n"
    " LIZENZVEREINBARUNG FÜR VELTORI ADVANCED\r\n"
    "===========================================\r\n"
    " \r\n"
    "Diese Vereinbarung gilt für das Programm VelTori\r\n"
    "Advanced samt Hilfedateien und Installationsprogramm\r\n"
    "(\"die Software\"). Mit der Installation oder Nutzung\r\n"
    "stimmen Sie ihr zu. Sind Sie nicht einverstanden,\r\n"
    "brechen Sie die Installation jetzt ab.\r\n"
    " \r\n"
    "Die Software ist urheberrechtlich geschützt; alle\r\n"
    "nicht ausdrücklich eingeräumten Rechte bleiben beim\r\n"
    "Urheber. Sie dürfen sie weder verändern noch\r\n"
    "zurückentwickeln noch Urhebervermerke entfernen.\r\n"
    " \r\n"
    "I. BEREITSTELLUNG\r\n"
    "VelTori Advanced ist Freeware und kostenlos.\r\n"
    "Die aktuelle Fassung erhalten Sie auf der Webseite\r\n"
    "({host}).\r\n"
    "Ein Anspruch auf neue Fassungen, Fehlerbehebungen\r\n"
    "oder Unterstützung besteht nicht.\r\n"
    " \r\n"
    "II. WEITERGABE\r\n"
    "Sie dürfen die Software beliebig kopieren sowie\r\n"
    "unverändert und vollständig, mit allen Dateien des\r\n"
    "Installationsprogramms, weitergeben. Ein Entgelt ist\r\n"
    "nur für den Datenträger zulässig. Verkaufte\r\n"
    "Sammlungen bedürfen der Zustimmung des Urhebers.\r\n"
    " \r\n"
    "III. NUTZUNG\r\n"
    "Sie dürfen die Software auf beliebig vielen Rechnern\r\n"
    "privat und beruflich nutzen. Für gespeicherte\r\n"
    "Inhalte sind allein Sie verantwortlich.\r\n"
    " \r\n"
    "DIE SOFTWARE WIRD OHNE GEWÄHR FÜR FEHLERFREIHEIT\r\n"
    "ODER EIGNUNG FÜR EINEN BESTIMMTEN ZWECK\r\n"
    "BEREITGESTELLT. DER URHEBER HAFTET NICHT FÜR SCHÄDEN\r\n"
    "AUS IHRER NUTZUNG, AUCH NICHT FÜR DATENVERLUST,\r\n"
    "AUSSER BEI VORSATZ ODER GROBER FAHRLÄSSIGKEIT.\r\n"
    " \r\n"
    "IV. SONSTIGES\r\n"
    "Sollte eine Bestimmung dieser Vereinbarung unwirksam\r\n"
    "sein, bleiben die übrigen davon unberührt.\r\n"
    "Änderungen und Ergänzungen bedürfen der Schriftform.\r\n"
    "Es gilt das Recht der Bundesrepublik Deutschland.\r\n"
    " \r\n"
    "Stand: 13.12.2002 ({host})";

constexpr std::string_view kEnglishText =
    "=========================================== \r\n"
    "VELTORI ADVANCED LICENCE AGREEMENT \r\n"
    "=========================================== \r\n"
    "\r\n"
    "This agreement covers the use of VelTori Advanced,\r\n"
    "including its help files and setup program\r\n"
    "(\"the software\"). By installing or using it you\r\n"
    "accept the terms below. If you do not accept them,\r\n"
    "please cancel the setup now.\r\n"
    "\r\n"
    "The software is protected by copyright. All rights\r\n"
    "not expressly granted to you remain with the author.\r\n"
    "You may not modify, decompile or disassemble it, or\r\n"
    "remove its copyright notices.\r\n"
    "\r\n"
    "I. AVAILABILITY\r\n"
    "VelTori Advanced is freeware, free of charge.\r\n"
    "The latest version is on the product web site\r\n"
    "({host}).\r\n"
    "There is no claim to updates, fixes or support;\r\n"
    "the author may change or withdraw it at any time.\r\n"
    "\r\n"
    "II. PASSING ON\r\n"
    "You may copy the software freely and pass it on,\r\n"
    "also on download sites or magazine discs, if it is\r\n"
    "unchanged and complete with all setup files. No fee\r\n"
    "beyond the cost of the medium may be charged.\r\n"
    "Collections for sale need the author's consent.\r\n"
    "\r\n"
    "III. USE\r\n"
    "You may use the software on any number of computers,\r\n"
    "privately and at work. You alone are responsible for\r\n"
    "what you store with it; keep copies of important\r\n"
    "data, as uninstalling may delete it.\r\n"
    "\r\n"
    "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY\r\n"
    "OF ANY KIND, INCLUDING FITNESS FOR A PARTICULAR\r\n"
    "PURPOSE. THE AUTHOR IS NOT LIABLE FOR ANY DAMAGES\r\n"
    "FROM USING OR BEING UNABLE TO USE IT, INCLUDING LOSS\r\n"
    "OF DATA, EXCEPT AS REQUIRED BY LAW.\r\n"
    "\r\n"
    "IV. OTHER\r\n"
    "If any provision of this agreement is invalid, the\r\n"
    "rest stays in effect. Changes must be made in\r\n"
    "writing. German law applies. For questions, contact\r\n"
    "the author via the product web site.\r\n"
    "\r\n"
    "13.12.2002 ({host})";

// `text` with every host token replaced by `host`.
std::string WithHost(std::string_view text, std::string_view host) {
  std::string result;
  for (std::size_t token; (token = text.find(kHostToken)) != std::string_view::npos;) {
    result.append(text.substr(0, token)).append(host);
    text.remove_prefix(token + kHostToken.size());
  }
  return result.append(text);
}

}  // namespace

std::string WebsiteHost(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme != std::string_view::npos) address.remove_prefix(scheme + 3);
  return std::string(address.substr(0, address.find('/')));
}

std::string_view LicenceText(Language language) {
  static const std::string german = WithHost(kGermanText, WebsiteHost(VELTORI_WEBSITE));
  static const std::string english = WithHost(kEnglishText, WebsiteHost(VELTORI_WEBSITE));
  return language == Language::Deutsch ? german : english;
}

}  // namespace vlt
