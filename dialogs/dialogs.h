#pragma once
// Settings dialogs.
