// The scripted platform lands here.
