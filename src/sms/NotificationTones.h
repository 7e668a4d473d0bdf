#pragma once

#include "sms/SoundClip.h"

// The program's own notification sounds, made here rather than shipped as files: a short two-note chime and a
// longer rising phrase of three, each note a sine with a soft start and a decaying end, so that nothing clicks.
namespace NotificationTones {

constexpr int Rate = 22050;

SoundClip shortNotification();
SoundClip longNotification();

} // namespace NotificationTones
