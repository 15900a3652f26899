#include "core/assertion.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

TAssertion_Handler current_handler = nullptr;

std::string Program_Name()
{
  const QString name = QCoreApplication::applicationName();
  return name.isEmpty() ? std::string("program") : name.toStdString();
}

bool Is_Separator(const char c)
{
  return c == '/' || c == '\\';
}

}  // namespace

TAssertion_Handler Set_Assertion_Handler(const TAssertion_Handler handler)
{
  const TAssertion_Handler previous = current_handler;
  current_handler = handler;
  return previous;
}

std::string Assertion_Source(const char *file)
{
  const std::string path(file ? file : "");
  std::size_t start = path.size();
  int separators = 0;
  while (start > 0 && separators < 2) {
    if (Is_Separator(path[start - 1]) && ++separators == 2) {
      break;
    }
    --start;
  }
  std::string source = path.substr(start);
  const std::size_t dot = source.rfind('.');
  const std::size_t last_separator = source.find_last_of("/\\");
  if (dot != std::string::npos && (last_separator == std::string::npos || dot > last_separator)) {
    source.erase(dot);
  }
  for (char &c : source) {
    if (c == '\\') {
      c = '/';
    }
  }
  return source;
}

std::string Assertion_Report(const TAssertion_Failure &failure)
{
  return Program_Name() + ": " + failure.source + ":" + std::to_string(failure.line)
         + ": assertion failed: " + failure.expression;
}

bool Assertion_Failed(const char *file, const int line, const char *expression)
{
  TAssertion_Failure failure;
  failure.source = Assertion_Source(file);
  failure.line = line;
  failure.expression = expression ? expression : "";
  std::fprintf(stderr, "%s\n", Assertion_Report(failure).c_str());
  std::fflush(stderr);
  if (!current_handler || !current_handler(failure)) {
    std::abort();
  }
  return false;
}
