#pragma once

#include <QFlags>

// The items of the telephone window's pop-up menu that the window state enables and disables.
enum class MenuItem : unsigned {
    Call = 1U << 0,
    Book = 1U << 1,
    EditBook = 1U << 2,
    History = 1U << 3,
    Notes = 1U << 4,
    Redial = 1U << 5,
    Back = 1U << 6,
    Cancel = 1U << 7,
    NotAnswer = 1U << 8,
    Conference = 1U << 9,
    Park = 1U << 10,
    MCIDCall = 1U << 11,
    Transfer = 1U << 12,
    Minimize = 1U << 13,
    Account = 1U << 14,
    Lock = 1U << 15,
    Urgent = 1U << 16,
    CPickup = 1U << 17,
    Flash = 1U << 18,
    Services = 1U << 19, // the services submenu as a whole
};
Q_DECLARE_FLAGS(MenuItems, MenuItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(MenuItems)
