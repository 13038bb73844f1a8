// Ends the process at once, after the settings store has been flushed so that
// nothing written is lost. Never returns in production.
#pragma once

namespace platform {

class ProcessExit {
 public:
  virtual ~ProcessExit() = default;
  virtual void endProcess() = 0;
};

class ImmediateProcessExit final : public ProcessExit {
 public:
  [[noreturn]] void endProcess() override;
};

}  // namespace platform
