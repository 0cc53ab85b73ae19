#include "lang/LicenceTexts.h"

#include <span>

namespace vlt {
namespace {

// Where a line names the product web site host.
constexpr std::string_view kHostToken = "{host}";

// Broken by hand for the licence memo. German: at most 76 characters a line,
// paragraphs separated by a line holding one blank. English: at most 120
// characters a line, paragraphs separated by empty lines. The lines naming
// the host leave room for a longer host than the default one.
constexpr std::string_view kGermanLines[] = {
    "===========================================",
    " LIZENZVEREINBARUNG FÜR VELTORI ADVANCED",
    "===========================================",
    " ",
    "Diese Vereinbarung regelt die Nutzung des Programms VelTori Advanced",
    "einschließlich seiner Hilfedateien und des Installationsprogramms (im",
    "Folgenden \"die Software\"). Mit der Installation oder der Nutzung der",
    "Software erklären Sie sich mit den folgenden Bedingungen einverstanden.",
    "Wenn Sie nicht einverstanden sind, brechen Sie die Installation jetzt ab.",
    " ",
    "Die Software ist urheberrechtlich geschützt. Alle Rechte, die Ihnen diese",
    "Vereinbarung nicht ausdrücklich einräumt, verbleiben beim Urheber. Es ist",
    "nicht gestattet, die Software zu verändern, zurückzuentwickeln oder",
    "Urheberrechtsvermerke aus ihr zu entfernen.",
    " ",
    "I. BEREITSTELLUNG",
    "VelTori Advanced ist Freeware und wird kostenlos zur Verfügung gestellt.",
    "Die jeweils aktuelle Fassung erhalten Sie auf der Webseite des Programms",
    "({host}). Ein Anspruch auf neue Fassungen,",
    "Fehlerbehebungen oder Unterstützung besteht nicht.",
    " ",
    "II. WEITERGABE",
    "Sie dürfen die Software beliebig oft kopieren und an Dritte weitergeben,",
    "sofern sie unverändert und vollständig, also mit allen Dateien des",
    "Installationsprogramms, weitergegeben wird. Für die Weitergabe darf kein",
    "Entgelt verlangt werden, ausgenommen die Kosten eines Datenträgers. Die",
    "Aufnahme in Sammlungen, die verkauft werden, bedarf der vorherigen",
    "Zustimmung des Urhebers.",
    " ",
    "III. NUTZUNG",
    "Sie dürfen die Software auf beliebig vielen Rechnern privat und beruflich",
    "einsetzen. Für die Inhalte, die Sie mit der Software speichern, sind",
    "allein Sie verantwortlich.",
    " ",
    "DIE SOFTWARE WIRD OHNE GEWÄHR FÜR IHRE FEHLERFREIHEIT ODER IHRE EIGNUNG FÜR",
    "EINEN BESTIMMTEN ZWECK ZUR VERFÜGUNG GESTELLT. DER URHEBER HAFTET NICHT FÜR",
    "SCHÄDEN, DIE DURCH DIE NUTZUNG ODER DIE UNMÖGLICHKEIT DER NUTZUNG DER",
    "SOFTWARE ENTSTEHEN, INSBESONDERE NICHT FÜR DATENVERLUSTE. DIE HAFTUNG FÜR",
    "VORSATZ UND GROBE FAHRLÄSSIGKEIT BLEIBT UNBERÜHRT.",
    " ",
    "IV. SONSTIGES",
    "Sollte eine Bestimmung dieser Vereinbarung unwirksam sein, bleiben die",
    "übrigen Bestimmungen davon unberührt. Änderungen und Ergänzungen dieser",
    "Vereinbarung bedürfen der Schriftform. Es gilt das Recht der",
    "Bundesrepublik Deutschland.",
    " ",
    "Stand: 13.12.2002 ({host})",
};

constexpr std::string_view kEnglishLines[] = {
    "=========================================== ",
    "VELTORI ADVANCED LICENCE AGREEMENT ",
    "=========================================== ",
    "",
    "This agreement covers the use of the program VelTori Advanced, including its help",
    "files and its setup program (together \"the software\"). Please read it carefully. By",
    "installing or using the software you accept the terms below. If you do not accept",
    "them, please cancel the setup now.",
    "",
    "The software is protected by copyright law and international treaties. All rights that",
    "this agreement does not expressly grant to you remain with the author. You may not",
    "modify, decompile or disassemble the software, and you may not remove any copyright",
    "notice from it.",
    "",
    "I. AVAILABILITY",
    "VelTori Advanced is freeware and is made available free of charge. The latest",
    "version can be obtained from the product web site ({host}). There is no claim",
    "to new versions, bug fixes or support, and the author may change or discontinue",
    "the software at any time.",
    "",
    "II. PASSING ON",
    "You may copy the software as often as you like and pass it on to others, provided that",
    "it is passed on unchanged and complete, that is with all files of the setup program.",
    "You may offer it for download on web sites and include it on media enclosed with",
    "magazines on the same terms. No fee may be charged for passing it on, except for the",
    "cost of the storage medium. Including the software in collections that are sold",
    "requires the prior consent of the author.",
    "",
    "III. USE",
    "You may use the software on any number of computers, privately and at work. You alone",
    "are responsible for the contents that you store with the software. The software keeps",
    "its text and picture entries as files in its install directory; keep copies of",
    "important data elsewhere, as uninstalling the software may remove these files.",
    "",
    "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED,",
    "INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A",
    "PARTICULAR PURPOSE. IN NO EVENT SHALL THE AUTHOR BE LIABLE FOR ANY DAMAGES ARISING OUT",
    "OF THE USE OF OR INABILITY TO USE THE SOFTWARE, INCLUDING LOSS OF DATA, EXCEPT WHERE",
    "SUCH LIABILITY IS REQUIRED BY LAW.",
    "",
    "IV. OTHER",
    "If any provision of this agreement is held to be invalid, the remaining",
    "provisions stay in effect. Changes and additions to this agreement must be made in",
    "writing. This agreement is governed by the laws of the Federal Republic of Germany.",
    "If you have questions about this agreement, please contact the author through the",
    "product web site.",
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
