#pragma once

#include <QIcon>

// The small pictures of the history window's grid and legend, drawn here so that they stay crisp at any scale:
// an arrow for a call (in or out, green when answered, red when not), an envelope for an SMS in the colour of its
// state, a box for an archived entry, a reel for a saved call, and the bold and missed markers.
namespace HistoryIcons {

QIcon kind(int kind);
QIcon archived(bool sms);
QIcon recording();
QIcon unseen();
QIcon missed();

} // namespace HistoryIcons
