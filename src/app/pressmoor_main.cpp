// The program: unattended when it was given any argument, the window otherwise.
#include <QApplication>
#include <QStyleFactory>
#include <QWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "office/libreoffice/LibreOfficeFactory.h"
#include "platform/EventLog.h"
#include "platform/Registry.h"
#include "platform/StopSignals.h"
#include "platform/SystemEnvironment.h"
#include "ui/frmPressmoorMain.h"
#include "ui/qt/MainWindowView.h"
#include "ui/qt/ModalMessageBox.h"

namespace {

using pressmoor::platform::SystemEnvironment;
using pressmoor::ui::frmPressmoorMain;

std::string UsageText() {
  return "Usage: pressmoor -f PATTERN -s SOURCE_DIR [-d DESTINATION_DIR]\n"
         "                 [-o LANDSCAPE] [-n K/N] [-k] [-r] [-u]\n"
         "       pressmoor --help | --version\n"
         "  -f  the files to convert, quoted: '*.doc' '*.htm*' '*.txt' '*.rtf' '*.xls' '*.*';\n"
         "      several patterns joined by ';', such as '*.docx;*.odt'\n"
         "  -s  the directory holding them\n"
         "  -d  the directory the PDF files go to; without it, beside their sources\n"
         "  -o  LANDSCAPE for landscape pages (text documents only)\n"
         "  -n  K/N: only part K of N (0 <= K < N), chosen by a hash of each file name\n"
         "      (with -r, of its path below the source);\n"
         "      the N runs -n 0/N ... -n N-1/N convert every file once\n"
         "  -k  keep going past a failing file: report each, go on,\n"
         "      exit status 1 when any failed\n"
         "  -r  the whole tree: the files of every subfolder too (not hidden ones, not\n"
         "      links to folders), each PDF in the same subfolder of the destination\n"
         "  -u  only what changed: a file whose PDF is not older than it is left alone\n"
         "  -x  today's formats too: .docx .docm .dotx .dotm .dot .odt .ott .fodt,\n"
         "      .xlsx .xlsm .xltx .xltm .xlsb .xlt .ods .ots .fods and presentations\n"
         "      .ppt .pps .pot .pptx .pptm .ppsx .potx .odp .otp .fodp; the files listed\n"
         "      choose the converters, so -x -f '*.*' converts every kind\n"
         "Without arguments the window opens.\n"
         "Exit status: 0 done, only the summary reported; 1 another message reported;\n"
         "  2 the command line could not be applied, nothing converted;\n"
         "  3 Quillset 1.20 or above is not installed;\n"
         "  128+n stopped by signal n (SIGTERM, SIGINT, SIGHUP): offices ended, scratch removed.\n"
         "Messages are kept in the event log: " +
         pressmoor::platform::EventLog::DefaultPath() + "\n";
}

// --help and --version, anywhere on the command line, are answered on
// standard output before anything else is read; every other argument keeps
// its meaning for the unattended run.
std::optional<int> AnswerConventionalOption(const std::vector<std::string>& arguments) {
  const auto given = [&arguments](const char* option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
  };
  if (given("--help")) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (given("--version")) {
    std::fputs("pressmoor " PRESSMOOR_VERSION "\n", stdout);
    return 0;
  }
  return std::nullopt;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// Never touches Qt: a scheduled run needs no display.
int RunUnattended(SystemEnvironment& environment) {
  frmPressmoorMain form(environment);
  form.Form_Load();
  if (form.CommandLineFailed && environment.StandardErrorIsTerminal()) {
    environment.WriteStandardError(UsageText());
  }
  return form.ExitStatus();
}

// With PRESSMOOR_SCREENSHOT set, the shown window is saved there and the
// program ends, half a second after it shows or PRESSMOOR_SCREENSHOT_AFTER
// milliseconds. A run still under way then stops as a closed window stops it.
void ScheduleScreenshot(QWidget& window, frmPressmoorMain& form) {
  const char* path = std::getenv("PRESSMOOR_SCREENSHOT");
  if (!path || !*path) return;
  const std::string target = path;
  const char* after = std::getenv("PRESSMOOR_SCREENSHOT_AFTER");
  const int delay = after && *after ? std::atoi(after) : 500;
  QTimer::singleShot(delay, &window, [&window, &form, target] {
    const bool saved = window.grab().save(QString::fromStdString(target), "PNG");
    if (form.RunInProgress) window.close();
    QApplication::exit(saved ? 0 : 1);
  });
}

// With PRESSMOOR_CONVERT_AT_START=1 the window starts the conversion its
// saved settings describe as soon as it shows, as a press of Convert would.
void ScheduleConvertAtStart(QWidget& window, frmPressmoorMain& form) {
  const char* value = std::getenv("PRESSMOOR_CONVERT_AT_START");
  if (!value || std::string(value) != "1") return;
  QTimer::singleShot(0, &window, [&form] { form.UserClicksConvert(); });
}

// A stop signal closes any box in the way of the run, and the window once
// no run is under way; the run itself stops where it looks for a stop.
void WatchForStop(QWidget& window, frmPressmoorMain& form, SystemEnvironment& environment) {
  auto* timer = new QTimer(&window);
  QObject::connect(timer, &QTimer::timeout, [&form, &environment] {
    if (environment.StopSignal() == 0) return;
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
    if (!form.RunInProgress) QApplication::exit(0);
  });
  timer->start(100);
}

int RunInteractive(int argc, char** argv, SystemEnvironment& environment) {
  if (!HasDisplay()) {
    environment.WriteStandardError(
        "pressmoor: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
        "give options to convert without a window, see pressmoor --help\n");
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Windows"));
  frmPressmoorMain form(environment);
  pressmoor::ui::qt::MainWindowView window(form);
  pressmoor::ui::qt::ModalMessageBox messageBox(&window);
  environment.SetMessageBoxHandler(
      [&messageBox](const std::string& text, const std::string& title) { messageBox.Show(text, title); });
  environment.SetEventDispatcher([] { QCoreApplication::processEvents(); });

  form.Form_Load();
  if (form.Unloaded) return form.ExitStatus();
  window.show();
  window.activateWindow();
  ScheduleScreenshot(window, form);
  WatchForStop(window, form, environment);
  ScheduleConvertAtStart(window, form);
  return application.exec();
}

int Run(int argc, char** argv, const std::vector<std::string>& arguments) {
  pressmoor::platform::Registry registry(pressmoor::platform::RegistryRoots::FromEnvironment());
  pressmoor::office::LibreOfficeFactory office(registry);
  SystemEnvironment environment(arguments, registry, office);
  if (!environment.CommandLine().empty()) return RunUnattended(environment);
  return RunInteractive(argc, argv, environment);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (const std::optional<int> status = AnswerConventionalOption(arguments)) return *status;
  pressmoor::platform::InstallStopSignals(pressmoor::office::LibreOfficeFactory::EndEveryOffice);
  const int status = Run(argc, argv, arguments);
  // Everything of the run is gone by now: offices, their folders, scratch files.
  if (const int signal = pressmoor::platform::StopSignal()) pressmoor::platform::EndBySignal(signal);
  return status;
}
