#include "OfficeSession.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XHierarchicalNameAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/ustring.hxx>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <sstream>

#include "CallerWait.h"
#include "OfficeStepNames.h"
#include "OfficeWords.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr const char* kProgramDirectory = "/usr/lib/libreoffice/program";
constexpr double kDefaultTimeoutSeconds = 300;
constexpr double kLongestConnectSeconds = 60;

std::string Seconds(double seconds) {
  std::ostringstream text;
  text << seconds;
  return text.str();
}

// The client side of UNO, once per process. Throws std::runtime_error.
Reference<css::uno::XComponentContext> LocalContext() {
  static std::mutex mutex;
  static Reference<css::uno::XComponentContext> context;
  std::lock_guard lock(mutex);
  if (context.is()) return context;
  // The office may close a pipe under us; that must be an error, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  // Without it only the base types load, and the first office interface
  // call crashes instead of failing.
  setenv("URE_BOOTSTRAP",
         (std::string("vnd.sun.star.pathname:") + kProgramDirectory + "/fundamentalrc").c_str(), 0);
  try {
    Reference<css::uno::XComponentContext> candidate = cppu::defaultBootstrap_InitialComponentContext();
    Reference<css::container::XHierarchicalNameAccess> types(
        candidate->getValueByName("/singletons/com.sun.star.reflection.theTypeDescriptionManager"),
        UNO_QUERY_THROW);
    if (!types->hasByHierarchicalName("com.sun.star.frame.XDesktop2")) {
      throw std::runtime_error("the office's type library is missing");
    }
    context = candidate;
  } catch (const css::uno::Exception& error) {
    throw std::runtime_error(FromUno(error.Message));
  } catch (const cppu::BootstrapException& error) {
    throw std::runtime_error(FromUno(error.getMessage()));
  }
  return context;
}

}  // namespace

double OfficeTimeoutSeconds() {
  const char* text = std::getenv("PRESSMOOR_OFFICE_TIMEOUT");
  if (text == nullptr) return kDefaultTimeoutSeconds;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  if (end == text || !std::isfinite(seconds) || seconds <= 0) return kDefaultTimeoutSeconds;
  return seconds;
}

::rtl::OUString ToUno(const std::string& text) {
  return ::rtl::OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string FromUno(const ::rtl::OUString& text) {
  const ::rtl::OString bytes = ::rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
  return std::string(bytes.getStr(), static_cast<std::size_t>(bytes.getLength()));
}

OfficeSession::OfficeSession(std::string source, OfficeReach reach)
    : OfficeSession(std::move(source), nullptr, std::move(reach)) {}

OfficeSession::OfficeSession(std::string source, std::unique_ptr<OfficeProcess> process,
                             OfficeReach reach)
    : source_(std::move(source)),
      reach_(process ? process->Reach() : std::move(reach)),
      process_(std::move(process)),
      timeout_(OfficeTimeoutSeconds()) {
  if (!process_) {
    try {
      process_ = std::make_unique<OfficeProcess>(reach_);
    } catch (const SandboxUnavailable& error) {
      Fail(errors::kNoSandbox, error.what());
    } catch (const std::exception& error) {
      Fail(errors::kCannotStart, std::string("The office could not be started: ") + error.what() +
                                     ". Check that LibreOffice is installed.");
    }
  }
  watchdog_ = std::thread([this] { Watch(); });
  try {
    Connect();
  } catch (...) {
    {
      std::lock_guard lock(watchMutex_);
      stopWatching_ = true;
    }
    watchWake_.notify_one();
    watchdog_.join();
    process_.reset();
    throw;
  }
}

OfficeSession::~OfficeSession() {
  StopWatching();
  steps_.clear();
  loader_.clear();
  context_.clear();
  process_.reset();
}

void OfficeSession::Connect() {
  Reference<css::uno::XComponentContext> local;
  try {
    local = LocalContext();
  } catch (const std::exception& error) {
    Fail(errors::kCannotStart,
         std::string("The office's UNO runtime could not be started: ") + error.what() +
             ". Check that LibreOffice is installed completely.");
  }
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration<double>(std::min(timeout_.count(), kLongestConnectSeconds));
  const ::rtl::OUString url = ToUno(process_->ConnectionUrl());
  try {
    Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(local);
    for (;;) {
      try {
        context_.set(resolver->resolve(url), UNO_QUERY_THROW);
        break;
      } catch (const css::connection::NoConnectException&) {
        if (!process_->Running()) {
          Fail(errors::kCannotStart, "The office ended while starting. Check that LibreOffice "
                                     "is installed and that the temporary directory is writable.");
        }
        if (std::chrono::steady_clock::now() > deadline) {
          Fail(errors::kCannotStart, "The office did not answer within " +
                                         Seconds(std::min(timeout_.count(), kLongestConnectSeconds)) +
                                         " seconds of starting.");
        }
        PauseForCaller(std::chrono::milliseconds(20));
      }
    }
    loader_.set(css::frame::Desktop::create(context_), UNO_QUERY_THROW);
    steps_.set(context_->getServiceManager()->createInstanceWithContext(ToUno(steps::kService), context_),
               UNO_QUERY_THROW);
    process_->NoteSocketFiles();
  } catch (const css::uno::Exception& error) {
    Fail(errors::kCannotStart, "The office could not be connected: " + OfficeWords(FromUno(error.Message)));
  }
}

css::uno::Sequence<css::uno::Any> OfficeSession::RunStep(
    const char* step, std::vector<css::beans::NamedValue> arguments) {
  std::vector<css::beans::NamedValue> named{css::beans::NamedValue(ToUno(steps::kStep), css::uno::Any(ToUno(step)))};
  named.insert(named.end(), std::make_move_iterator(arguments.begin()), std::make_move_iterator(arguments.end()));
  css::uno::Sequence<css::uno::Any> rows;
  if (!(steps_->execute(css::uno::Sequence<css::beans::NamedValue>(named.data(), static_cast<sal_Int32>(named.size()))) >>= rows)) {
    throw css::uno::RuntimeException(ToUno(std::string("The office's step ") + step + " gave no rows."));
  }
  return rows;
}

bool OfficeSession::CanRead(const std::string& path) const {
  return process_ ? process_->CanRead(path) : reach_.Covers(path);
}

void OfficeSession::Fail(std::int32_t number, const std::string& description) const {
  throw AutomationError(number, source_, description);
}

std::string OfficeSession::Detail(const css::uno::Exception& error) {
  const std::string message = OfficeWords(FromUno(error.Message));
  return message.empty() ? std::string() : " (" + message + ")";
}

void OfficeSession::CheckUsable() const {
  if (ended_) Fail(errors::kObjectGone, "The application has already quit.");
  if (lost_ && timedOut_) Fail(errors::kTimedOut, TimedOutText());
  if (lost_) {
    Fail(errors::kOfficeDied, "The office process is no longer running. Start the conversion again.");
  }
}

void OfficeSession::End() {
  std::lock_guard lock(callMutex_);
  ended_ = true;
  steps_.clear();
  loader_.clear();
  if (process_) process_->Kill();
}

std::unique_ptr<OfficeProcess> OfficeSession::Release() {
  std::lock_guard lock(callMutex_);
  if (ended_ || lost_ || !process_ || !process_->Running()) return nullptr;
  ended_ = true;
  StopWatching();
  steps_.clear();
  loader_.clear();
  context_.clear();
  return std::move(process_);
}

void OfficeSession::StopWatching() {
  {
    std::lock_guard lock(watchMutex_);
    stopWatching_ = true;
  }
  watchWake_.notify_one();
  if (watchdog_.joinable()) watchdog_.join();
}

void OfficeSession::Abandon() {
  if (process_) process_->Kill();
}

// What the bridge says of a lost office is about the bridge, not the document.
void OfficeSession::Lost() {
  lost_ = true;
  process_->Kill();
  if (timedOut_) Fail(errors::kTimedOut, TimedOutText());
  Fail(errors::kOfficeDied, "The office stopped unexpectedly. The document may be damaged.");
}

std::string OfficeSession::TimedOutText() const {
  return "The office did not finish within " + Seconds(timeout_.count()) +
         " seconds and was stopped. The document may be too large or damaged; "
         "PRESSMOOR_OFFICE_TIMEOUT sets the limit.";
}

void OfficeSession::Arm() {
  {
    std::lock_guard lock(watchMutex_);
    deadline_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(timeout_);
    armed_ = true;
  }
  watchWake_.notify_one();
}

void OfficeSession::Disarm() {
  std::lock_guard lock(watchMutex_);
  armed_ = false;
}

void OfficeSession::Watch() {
  std::unique_lock lock(watchMutex_);
  while (!stopWatching_) {
    if (!armed_) {
      watchWake_.wait(lock);
      continue;
    }
    if (watchWake_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
        std::chrono::steady_clock::now() >= deadline_) {
      // A remote call cannot be cancelled; killing the office makes it
      // return with DisposedException.
      timedOut_ = true;
      armed_ = false;
      lock.unlock();
      process_->Kill();
      lock.lock();
    }
  }
}

std::shared_ptr<OfficeSession> ConnectOrStart(const std::string& source,
                                              std::unique_ptr<OfficeProcess> office,
                                              const OfficeReach& reach) {
  if (office) {
    try {
      return std::make_shared<OfficeSession>(source, std::move(office), reach);
    } catch (const AutomationError&) {
      // That office did not come up; a fresh one may.
    }
  }
  return std::make_shared<OfficeSession>(source, reach);
}

}  // namespace pressmoor::office::libreoffice
