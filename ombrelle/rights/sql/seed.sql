-- The built-in account, for every database: the administration dialogs
-- refuse to delete or rename it.
INSERT INTO Users (UserName, Password, Email, Comment) VALUES ('Keepr', 'Keepr', '', 'Administrator');
