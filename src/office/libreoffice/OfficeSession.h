// The connection to one office process and the rules every call follows:
// one call at a time, each bounded by PRESSMOOR_OFFICE_TIMEOUT (a watchdog
// kills the office when a call outruns it), and every failure turned into an
// AutomationError. Application objects and their documents share a session;
// the office ends when the last of them lets go of it.
#pragma once

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "OfficeProcess.h"
#include "office/Automation.h"

namespace pressmoor::office::libreoffice {

namespace css = ::com::sun::star;

// Seconds one call may take: PRESSMOOR_OFFICE_TIMEOUT, default 300.
double OfficeTimeoutSeconds();

// UTF-16 from UTF-8 and back.
::rtl::OUString ToUno(const std::string& text);
std::string FromUno(const ::rtl::OUString& text);

class OfficeSession {
 public:
  // Starts and connects an office that may read `reach`; throws
  // AutomationError kCannotStart, or kNoSandbox when no sandbox can be made.
  // The caller's idle work (CallerWait.h) runs while the office comes up.
  OfficeSession(std::string source, OfficeReach reach);
  // Connects to `process`, an office started ahead, or starts one that may
  // read `reach` when it is null; throws as above.
  OfficeSession(std::string source, std::unique_ptr<OfficeProcess> process, OfficeReach reach);
  ~OfficeSession();
  OfficeSession(const OfficeSession&) = delete;
  OfficeSession& operator=(const OfficeSession&) = delete;

  const std::string& Source() const { return source_; }
  pid_t ProcessId() const { return process_ ? process_->ProcessId() : -1; }
  const OfficeReach& Reach() const { return reach_; }
  // False when the office's sandbox keeps it from reading `path`.
  bool CanRead(const std::string& path) const;
  // Where the office may write a file for us to take; valid inside Run.
  std::string NewOutputPath(const std::string& extension) { return process_->NewOutputPath(extension); }
  [[noreturn]] void Fail(std::int32_t number, const std::string& description) const;

  // Runs `work` against the office. A UNO exception becomes `failureNumber`
  // with `failureText` and the office's own words; a lost office becomes
  // kOfficeDied or kTimedOut, whose texts hold nothing of the office's. AutomationErrors thrown by `work` pass through.
  template <typename Work>
  auto Run(std::int32_t failureNumber, const std::string& failureText, Work&& work)
      -> decltype(work()) {
    std::lock_guard lock(callMutex_);
    CheckUsable();
    Arm();
    try {
      if constexpr (std::is_void_v<decltype(work())>) {
        work();
        Disarm();
      } else {
        auto result = work();
        Disarm();
        return result;
      }
    } catch (const AutomationError&) {
      Disarm();
      throw;
    } catch (const css::lang::DisposedException& error) {
      Disarm();
      Lost();
    } catch (const css::uno::Exception& error) {
      Disarm();
      if (!process_->Running() || timedOut_) Lost();
      Fail(failureNumber, failureText + Detail(error));
    }
  }

  // Valid inside Run.
  css::uno::Reference<css::uno::XComponentContext> Context() const { return context_; }
  css::uno::Reference<css::frame::XComponentLoader> Loader() const { return loader_; }
  // Has the office component do `step` (OfficeStepNames.h) with `arguments`
  // in one call, and returns its rows. Throws what the step throws, and
  // css::uno::RuntimeException when it returns no rows.
  css::uno::Sequence<css::uno::Any> RunStep(const char* step,
                                            std::initializer_list<css::beans::NamedValue> arguments) {
    return RunStep(step, std::vector<css::beans::NamedValue>(arguments));
  }
  css::uno::Sequence<css::uno::Any> RunStep(const char* step, std::vector<css::beans::NamedValue> arguments);

  // Quit: the office ends now; later calls fail with kObjectGone.
  void End();
  // Hands the office over, still running, for another session to connect
  // to, and ends this one as Quit does; null when the office is gone.
  std::unique_ptr<OfficeProcess> Release();
  // Kills the office at once, without waiting for a call in progress, which
  // then fails as if the office had died.
  void Abandon();
  // Throws when the application has quit or its office is gone.
  void CheckUsable() const;

 private:
  void Connect();
  void Arm();
  void Disarm();
  void Watch();
  void StopWatching();
  [[noreturn]] void Lost();
  std::string TimedOutText() const;
  static std::string Detail(const css::uno::Exception& error);

  std::string source_;
  OfficeReach reach_;
  std::unique_ptr<OfficeProcess> process_;
  css::uno::Reference<css::uno::XComponentContext> context_;
  css::uno::Reference<css::frame::XComponentLoader> loader_;
  css::uno::Reference<css::task::XJob> steps_;

  std::mutex callMutex_;
  std::atomic<bool> ended_{false};
  std::atomic<bool> lost_{false};
  std::atomic<bool> timedOut_{false};

  std::mutex watchMutex_;
  std::condition_variable watchWake_;
  std::chrono::steady_clock::time_point deadline_{};
  bool armed_ = false;
  bool stopWatching_ = false;
  std::chrono::duration<double> timeout_;
  std::thread watchdog_;
};

// A session with `office`, an office started ahead or left by an earlier
// application, or with a new office that may read `reach` when there is none
// or it does not answer; throws AutomationError as OfficeSession does.
std::shared_ptr<OfficeSession> ConnectOrStart(const std::string& source,
                                              std::unique_ptr<OfficeProcess> office,
                                              const OfficeReach& reach);

}  // namespace pressmoor::office::libreoffice
