// The desktop front's window and real platform services land here.
