#pragma once

class BrowserFactory;

// Sets up what the browser engine needs before the QApplication is created: when running as
// root, its sandbox switched off (the engine refuses to start as root with it). Its shared GL
// context is made by the plugin itself, when the first view is created.
void prepareBrowserEngine();

// The browser plugin's factory, loaded on first use and kept for the rest of the run.
// Throws Error when the plugin cannot be found or loaded; the next call tries again.
BrowserFactory *browserFactory();
