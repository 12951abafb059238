#pragma once
// The one application object of a test process, made on first use and kept to the end.
// It also points the update check at a closed local port, so that no test reaches the
// real update server; the update tests name their own local server instead.
void EnsureApplication();

// Points the update check back at the closed local port.
void PointUpdateCheckAtClosedPort();
