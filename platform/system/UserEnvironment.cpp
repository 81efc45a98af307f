// The environment noted at start-up and handed to other programs.
#include "platform/system/UserEnvironment.h"

#include <optional>

namespace UserEnvironment {

namespace {

std::optional<QProcessEnvironment> &remembered()
{
    static std::optional<QProcessEnvironment> environment;
    return environment;
}

} // namespace

void remember()
{
    remembered() = QProcessEnvironment::systemEnvironment();
}

QProcessEnvironment forOtherPrograms()
{
    QProcessEnvironment environment = remembered().value_or(QProcessEnvironment::systemEnvironment());
    // X11's start-up notification (Qt takes it out of the environment once it
    // has used it) and Wayland's activation token.
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    return environment;
}

} // namespace UserEnvironment
