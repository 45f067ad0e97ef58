#pragma once
// Validated input fields, choice lists, dialog frame and button control.
