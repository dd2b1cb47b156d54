// The Qt main window lands here.
