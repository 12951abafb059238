#pragma once
// The one application object of a test process, made on first use and kept to the end.
void EnsureApplication();
