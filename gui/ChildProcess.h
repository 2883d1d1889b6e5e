#pragma once

#include <functional>
#include <string>
#include <vector>

// A helper program run to completion: the desktop's dialogs and its address opener. Its
// standard output is collected; standard input is /dev/null. The caller's own windows stay
// alive while it waits through `whileWaiting`, called about every 40 ms.
class ChildProcess
{
public:
  struct Result
  {
    bool started = false;
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string output;
  };

  // True when `name` is an executable file in one of the PATH folders.
  static bool IsInstalled(const char* name);
  static Result Run(const std::vector<std::string>& argv,
                    const std::function<void()>& whileWaiting = nullptr);
};
