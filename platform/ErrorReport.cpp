#include "platform/ErrorReport.h"

#include <QGuiApplication>

#include "platform/Prompts.h"

namespace platform {

void ReportError(Prompts& prompts, const QString& text) {
  prompts.ShowMessage(text, QGuiApplication::applicationName(), PromptIcon::Error);
}

void ReportError(Prompts& prompts, const std::exception& error) {
  ReportError(prompts, QString::fromUtf8(error.what()));
}

void RunGuarded(Prompts& prompts, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(prompts, error);
  } catch (...) {
    ReportError(prompts, QStringLiteral("Unknown error"));
  }
}

}  // namespace platform
