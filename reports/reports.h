#pragma once
// Report engine and report pages.
