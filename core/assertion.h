#ifndef CORE_ASSERTION_H
#define CORE_ASSERTION_H

#include <string>

// A failed consistency check: the source unit as "folder/name" (no extension), the line
// and the expression exactly as written.
struct TAssertion_Failure
{
  std::string source;
  int line = 0;
  std::string expression;
};

// Decides what happens after a failure has been reported: true goes on with the
// caller's fallback, false stops the program.
using TAssertion_Handler = bool (*)(const TAssertion_Failure &failure);

// Installs a handler (nullptr restores the default, which stops) and returns the previous one.
TAssertion_Handler Set_Assertion_Handler(TAssertion_Handler handler);

// "core/vector2" for ".../core/vector2.h" or "core\vector2.cpp".
std::string Assertion_Source(const char *file);

// The report line written to stderr, e.g. "vandrel: core/vector2:57: assertion failed: d > 0".
std::string Assertion_Report(const TAssertion_Failure &failure);

// Reports the failure, then aborts unless the installed handler chooses to go on;
// returns false when it does, so that the caller takes its fallback.
bool Assertion_Failed(const char *file, int line, const char *expression);

// Evaluates to true when the expression holds; otherwise reports it and, if the
// handler lets the program go on, evaluates to false.
#define ASSERT(expression) \
  (static_cast<bool>(expression) ? true : Assertion_Failed(__FILE__, __LINE__, #expression))

#endif
