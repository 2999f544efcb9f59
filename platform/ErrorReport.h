#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace platform {

class Prompts;

// The general error report: shows an error's text in a message box captioned
// with the application name.
void ReportError(Prompts& prompts, const QString& text);
void ReportError(Prompts& prompts, const std::exception& error);

// Runs an event handler and reports any exception it throws, so that no
// exception ever crosses the toolkit's event loop.
void RunGuarded(Prompts& prompts, const std::function<void()>& handler);

// A slot that runs `owner`'s member `handler` guarded as above.
template <typename Owner>
auto Guarded(Prompts& prompts, Owner* owner, void (Owner::*handler)()) {
  return [&prompts, owner, handler] { RunGuarded(prompts, [&] { (owner->*handler)(); }); };
}

}  // namespace platform
