#pragma once

#include <cstddef>

// What the view in the window says of its selection and options, for the rules that enable
// and check the commands.
struct SelectionFacts {
    // A record is selected in the list that has the focus, which Delete and Edit act on.
    bool taskSelected = false;
    bool personSelected = false;
    bool appointmentSelected = false;
    size_t dayTaskRows = 0;         // rows of the selected date's task list
    size_t dayAppointmentRows = 0;  // rows of the selected date's appointment list
    bool useAlarmSound = true;
};
