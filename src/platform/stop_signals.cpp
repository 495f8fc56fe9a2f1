#include "platform/stop_signals.h"

#include <csignal>

namespace {

// A signal can only leave a note; the main loop reads it. Process-wide by nature.
volatile std::sig_atomic_t StopSignal = 0;
int Holders = 0;  // platforms alive that rely on the handlers

#if defined(__unix__) || defined(__APPLE__)
struct sigaction PreviousInt, PreviousTerm;
#else
void (*PreviousInt)(int) = SIG_DFL;
void (*PreviousTerm)(int) = SIG_DFL;
#endif

extern "C" void OnStopSignal(int sig) {
  if (StopSignal) {
    // Asked twice: the player means it. Stop at once the usual way.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    return;
  }
  StopSignal = sig;
#if !(defined(__unix__) || defined(__APPLE__))
  std::signal(sig, OnStopSignal);  // without sigaction a handler lasts for one signal
#endif
}

}  // namespace

StopSignals::StopSignals() {
  if (Holders++ > 0) return;
  StopSignal = 0;
#if defined(__unix__) || defined(__APPLE__)
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, &PreviousInt);
  sigaction(SIGTERM, &sa, &PreviousTerm);
#else
  PreviousInt = std::signal(SIGINT, OnStopSignal);
  PreviousTerm = std::signal(SIGTERM, OnStopSignal);
#endif
}

StopSignals::~StopSignals() {
  if (--Holders > 0) return;
#if defined(__unix__) || defined(__APPLE__)
  sigaction(SIGINT, &PreviousInt, nullptr);
  sigaction(SIGTERM, &PreviousTerm, nullptr);
#else
  std::signal(SIGINT, PreviousInt);
  std::signal(SIGTERM, PreviousTerm);
#endif
  StopSignal = 0;  // a stop asked of this run is not one for the next platform
}

bool StopSignals::Asked() { return StopSignal != 0; }
