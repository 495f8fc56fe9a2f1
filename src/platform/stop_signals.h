// SIGINT and SIGTERM become a request to save and quit, read by the main loop as a close; asked
// twice, the process stops at once the usual way. Held while a platform lives: the last one to
// go puts back the handlers that were there before.
#pragma once

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  // A stop was asked of this run.
  static bool Asked();
};
