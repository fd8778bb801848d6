// A date field typed the way the date screens' lists are: a year, Tab, a
// month, Tab, a day. Qt moves on to the next part by itself once a part is
// full ("2007" fills the year), and Tab would then skip a part: "2007 Tab 10
// Tab 10" set the day and left the field. Here a Tab right after a part
// filled itself stays in the part Qt moved to.
#pragma once

class QDateTimeEdit;

void typeDatesInTurn(QDateTimeEdit* edit);
