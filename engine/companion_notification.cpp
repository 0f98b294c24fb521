#include "engine/cmd_engine.h"

bool VelmiraCmdEngine::NotifyCompanion(std::string *error) {
  if (!platform::CompanionWindowExists(kCompanionWindowClass))
    return true;

  std::string reason;
  platform::NamedEvent *event = platform::OpenOrCreateEvent(kNotifyEventName, &reason);
  if (event == nullptr) {
    *error = std::string("cannot create or open the event ") + kNotifyEventName + ": " + reason;
    return false;
  }
  m_pNotifyEvent = event;
  SignalCompanion(event);
  return true;
}

void VelmiraCmdEngine::SignalCompanion(platform::NamedEvent *event) {
  platform::SetNamedEvent(event);
}
